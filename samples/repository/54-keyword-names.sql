-- Names given in keywords: the generator's message for a field, label or
-- list that a keyword of a command names and that the generation cannot
-- resolve (the program would lose the keyword's effect, so none is
-- generated).
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1194', 'ENG', 'F', '10,10,50',
   'Command &1 names &3 in keyword &2, which the generator cannot resolve; a program without it would do something else, so none is generated.');
-- A value written after a field of a field list that is neither a field
-- keyword, a display attribute, a position nor a condition of the function.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1195', 'ENG', 'F', '10,10',
   'Field &1 carries &2, which is no field keyword, display attribute, position or condition of the function.');
-- A keyword value that the command cannot use: the program would not do
-- what the keyword asks.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1196', 'ENG', 'F', '10,10,50',
   'Command &1 cannot use &3 in keyword &2.');

-- IOKEYS: a function of DEMOIO whose fields reach its program through
-- keywords alone (record numbers, message data and window field, the
-- list's reference fields, cursor fields, query fields, subroutine and
-- check parameters, SQL host fields, program names). Its source is in
-- sources/DEM/DEMOIO.
INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOIO', 'IOKEYS', '', 'N', 'Y');
INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOIO', 'IOKEYS', 'ENG', 'Fields named in keywords only');
