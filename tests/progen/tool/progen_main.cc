// progen: writes the generated function of a seed (or a kept case) as case
// text, or stores it with its fields and files in a scratch repository;
// with --coverage, what a run of seeds produces of the keyword table.
//   progen --tables DB --seed N [--show]         the case text
//   --components                                 components of the seed (ZOPHX), not a function
//   progen --tables DB --seed N --store DB       stores function PROGEN of DEMOPRC (or the components,
//                                                whose names it prints: "component NAME")
//   --commands N: a function of about N commands (the seed's dictionary and choices); --name NAME: stored
//   as function NAME
//   progen --tables DB --case FILE --store DB    stores a kept case
//   progen --tables DB --coverage FROM-TO [-v]   commands, keyword elements and values produced; the
//                                                (element, field kind) pairs no value took; -v: what
//                                                was never produced, and each element's kinds and sizes
//   progen --switches                            the switches and the forms they hold back
// --allow NAME (repeatable, or PROGEN_ALLOW=a,b) lets a held-back form be written.
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "../progen.h"

namespace {

std::string joined(const std::set<std::string>& s)
{
    std::string out;
    for (const std::string& k : s)
        out += (out.empty() ? "" : " ") + k;
    return out;
}

bool takesFields(const std::pair<const std::string, std::set<std::string>>& e)
{
    for (const std::string& k : progen::FieldKinds())
        if (e.second.count(k))
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    // the arguments that take a value, with their values; --allow may come again
    std::map<std::string, std::string> arg = {{"--tables", ""},   {"--seed", "-1"},     {"--store", ""},
                                              {"--case", ""},     {"--coverage", ""}, {"--allow", ""},
                                              {"--commands", "0"}, {"--name", "PROGEN"}};
    bool verbose = false, components = false;
    std::set<std::string> allow;
    std::stringstream env(std::getenv("PROGEN_ALLOW") ? std::getenv("PROGEN_ALLOW") : "");
    for (std::string a; std::getline(env, a, ',');)
        allow.insert(a);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (arg.count(a) && i + 1 < argc) {
            arg[a] = argv[++i];
            if (a == "--allow")
                allow.insert(arg[a]);
        } else if (a == "--switches") {
            for (const progen::Switch& s : progen::Switches())
                std::cout << s.name << "\t" << s.holds << "\n";
            return 0;
        } else if (a == "-v") {
            verbose = true;
        } else if (a == "--components") {
            components = true;
        } else if (a != "--show") {
            std::cerr << "progen: " << (arg.count(a) ? a + " needs a value" : "unknown argument " + a) << "\n";
            return 2;
        }
    }
    allow.erase("");
    const std::string tables = arg["--tables"], store = arg["--store"], casePath = arg["--case"],
                      coverage = arg["--coverage"], seedText = arg["--seed"];
    try {
        const long long seed = std::stoll(seedText);
        const progen::Tables t = progen::LoadTables(tables);
        if (!coverage.empty()) {
            const long long from = std::stoll(coverage), to = std::stoll(coverage.substr(coverage.find('-') + 1));
            std::set<std::string> got;
            progen::Reach reach;
            for (long long s = from; s <= to; ++s) {
                const progen::Program program = components ? progen::GenerateComponents(t, uint64_t(s), allow)
                                                           : progen::Generate(t, uint64_t(s), allow);
                const std::set<std::string> p = progen::Produced(t, program);
                got.insert(p.begin(), p.end());
                reach.add(progen::ValueReach(t, program));
            }
            const std::set<std::string> all = progen::Producible(t, components);
            int n[3] = {0, 0, 0}, of[3] = {0, 0, 0};
            std::vector<std::string> missing;
            for (const std::string& k : all) {
                const int kind = k.find('=') != std::string::npos ? 2 : k.find(' ') != std::string::npos ? 1 : 0;
                ++of[kind];
                if (got.count(k))
                    ++n[kind];
                else
                    missing.push_back(k);
            }
            std::cout << "commands " << n[0] << "/" << of[0] << ", keyword elements " << n[1] << "/" << of[1]
                      << ", allowed values " << n[2] << "/" << of[2] << "\n";
            const std::vector<std::string> unreached = progen::Unreached(reach);
            std::cout << "elements taking fields " << std::count_if(reach.kinds.begin(), reach.kinds.end(), takesFields)
                      << ", (element, field kind) pairs never produced " << unreached.size() << "\n";
            if (verbose) {
                for (const std::string& m : missing)
                    std::cout << "never produced: " << m << "\n";
                for (const auto& [e, kinds] : reach.kinds)
                    std::cout << "took: " << e << ": " << joined(kinds) << " | " << joined(reach.sizes[e]) << "\n";
            }
            for (const std::string& u : unreached)
                std::cout << "never took: " << u << "\n";
            return 0;
        }
        progen::Program p;
        if (!casePath.empty()) {
            std::stringstream b;
            b << std::ifstream(casePath).rdbuf();
            p = progen::ParseCase(b.str());
        } else if (seed >= 0) {
            p = components ? progen::GenerateComponents(t, uint64_t(seed), allow)
                           : progen::Generate(t, uint64_t(seed), allow, std::stoi(arg["--commands"]));
        } else {
            std::cerr << "progen: give --seed, --case or --coverage\n";
            return 2;
        }
        if (store.empty()) {
            std::cout << progen::CaseText(p);
            return 0;
        }
        sqlite3* db = nullptr;
        char* err = nullptr;
        if (sqlite3_open(store.c_str(), &db) != SQLITE_OK ||
            sqlite3_exec(db, progen::StoreSql(p, arg["--name"]).c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::cerr << "progen: cannot store in " << store << ": " << (err ? err : sqlite3_errmsg(db)) << "\n";
            sqlite3_close(db);
            return 2;
        }
        sqlite3_close(db);
        if (progen::HasLists(p))
            std::cout << "lists\n";
        // the components the driver checks, generates and compiles: each, then the compound of them
        for (const progen::Component& c : p.components)
            std::cout << "component " << c.name << "\n";
        if (!p.compound.empty())
            std::cout << "component " << p.compound << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "progen: " << e.what() << "\n";
        return 2;
    }
}
