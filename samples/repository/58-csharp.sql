-- The generated C#: the generator's messages of a command that has no
-- form in C# and of an evaluation routine that has none, and the process
-- DEMOCS whose functions use the keyword variants the other samples do
-- not, each generated in C and C# (CSEXPR moves and compares between
-- fields of every type, CSIO file commands with locks, statuses and a
-- subroutine that holds cursors, CSLIST working and browse lists of
-- every layout with fields of the extended kinds, CSSCR screens whose
-- keys are conditioned, CSRPT two reports, CSFLOW flow, calls and
-- programs, CSMISC validation, SQL selections and field texts, CSPANL
-- panels with their keys, options and a browse list, CSVARY cases,
-- arrays, remembered values and subroutine parameters of every field
-- type). The
-- functions' source is in sources/DEM/DEMOCS; the fields are those of
-- the other processes and the functions' own.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1250', 'ENG', 'F', '40,100',
   '&1 has no form in C# (it would write &2); a C# set without it would not compile, so none is generated.'),
  ('DC@F23', 'PRC1251', 'ENG', 'F', '40',
   'Evaluation routine &1 has no form in C#; a C# set without it would be incomplete, so none is generated.');

INSERT INTO QV_F20 (X20P_I, X20MOD, X20MUS, X20RCL, X20SP1) VALUES
  ('DEM', 'DEMOCS', ' ', 'L', '');

INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES
  ('DEM', 'DEMOCS', 'CSEXPR', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSIO', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSLIST', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSSCR', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSRPT', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSFLOW', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSMISC', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSPANL', '', 'N', 'Y'),
  ('DEM', 'DEMOCS', 'CSVARY', '', 'N', 'Y');

INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES
  ('DEM', 'DEMOCS', 'CSEXPR', 'ENG', 'Moves and compares of every field type'),
  ('DEM', 'DEMOCS', 'CSIO', 'ENG', 'File commands with locks and statuses'),
  ('DEM', 'DEMOCS', 'CSLIST', 'ENG', 'Lists of every kind and layout'),
  ('DEM', 'DEMOCS', 'CSSCR', 'ENG', 'Screens with conditioned keys'),
  ('DEM', 'DEMOCS', 'CSRPT', 'ENG', 'Two reports with breaks and totals'),
  ('DEM', 'DEMOCS', 'CSFLOW', 'ENG', 'Flow, calls and programs'),
  ('DEM', 'DEMOCS', 'CSMISC', 'ENG', 'Checks, SQL selections and texts'),
  ('DEM', 'DEMOCS', 'CSPANL', 'ENG', 'Panels with every key and a browse list'),
  ('DEM', 'DEMOCS', 'CSVARY', 'ENG', 'Cases, arrays and subroutines of every field type');

INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES
  ('DEM', 'DEMOCS', 'ENG', 1, 'C# variants');
