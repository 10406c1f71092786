-- The generated C#: the generator's messages of a command that has no
-- form in C# and of an evaluation routine that has none.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1194', 'ENG', 'F', '10,100',
   'Command &1 has no form in C# (it would write &2); a C# set without it would not compile, so none is generated.'),
  ('DC@F23', 'PRC1195', 'ENG', 'F', '40',
   'Evaluation routine &1 has no form in C#; a C# set without it would be incomplete, so none is generated.');
