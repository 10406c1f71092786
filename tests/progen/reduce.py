#!/usr/bin/env python3
"""Reduces a failing seed of the generator of valid functions: drops
commands, keywords, fields and files while the same step still fails, then
writes the reduced case into tests/progen/cases/.

usage: reduce.py SCRIPT BUILD SEED|CASEFILE [STEP] CASEDIR"""
import os
import re
import subprocess
import sys
import tempfile

script, build, what, step, casedir = sys.argv[1:6]


def run(text, stop):
    """The steps' results of a case text, up to the step `stop`."""
    with tempfile.NamedTemporaryFile('w', suffix='.case', delete=False) as f:
        f.write(text)
    try:
        out = subprocess.run([script, '--build', build, '--one', f.name] + (['--step', stop] if stop else []),
                             capture_output=True, text=True).stdout
    finally:
        os.unlink(f.name)
    return dict(line.split(' ', 1) for line in out.splitlines() if ' ' in line)


if os.path.isfile(what):
    text = open(what).read()
    name = os.path.splitext(os.path.basename(what))[0]
else:
    text = subprocess.run([os.path.join(build, 'progen'), '--tables', os.path.join(build, 'sample', 'repository.db'),
                           '--seed', what], capture_output=True, text=True, check=True).stdout
    name = 'seed%s' % what
results = run(text, step)
if not step:
    step = next((s for s, r in results.items() if r == 'fail'), '')
if not step or results.get(step) != 'fail':
    sys.exit('%s does not fail%s' % (what, ' at ' + step if step else ''))
signature = results.get('sig', '')
lines = text.splitlines()
tries = 0


def fails(candidate):
    global tries
    tries += 1
    r = run('\n'.join(candidate) + '\n', step)
    return r.get(step) == 'fail' and r.get('sig', '') == signature


def reduce(items, keep):
    """ddmin over the indexes of `items` that `keep` does not protect."""
    n = 2
    while True:
        idx = [i for i in range(len(items)) if not keep(items[i])]
        if len(idx) < 1:
            return items
        chunk = max(1, len(idx) // n)
        changed = False
        for start in range(0, len(idx), chunk):
            drop = set(idx[start:start + chunk])
            cand = [x for i, x in enumerate(items) if i not in drop]
            if fails(cand):
                items, changed = cand, True
                n = max(n - 1, 2)
                break
        if not changed:
            if chunk == 1:
                return items
            n = min(n * 2, len(idx))


# commands (the first, FUNCTION, stays), then fields and files
lines = reduce(lines, lambda l: not l.startswith('CMD ') or l.startswith('CMD FUNCTION'))
lines = reduce(lines, lambda l: l.startswith('CMD ') or l.startswith('#'))
# keywords of the commands left, one at a time
i = 0
while i < len(lines):
    l = lines[i]
    for kw in re.findall(r' ([A-Z_]+)\((?:[^()\']|\'[^\']*\'|\([^()]*\))*\)', l):
        m = re.search(r' %s\((?:[^()\']|\'[^\']*\'|\([^()]*\))*\)' % kw, lines[i])
        if m:
            cand = lines[:i] + [lines[i][:m.start()] + lines[i][m.end():]] + lines[i + 1:]
            if fails(cand):
                lines = cand
    i += 1
os.makedirs(casedir, exist_ok=True)
path = os.path.join(casedir, '%s-%s.case' % (name, step))
with open(path, 'w') as f:
    f.write('# fault: (name the fault, or remove this line once it is mended)\n# step: %s\n' % step)
    f.write('\n'.join(l for l in lines if not l.startswith('# ')) + '\n')
print('%s: %d lines left after %d tries, fails at %s (%s): %s' % (what, len(lines), tries, step, signature, path))
