-- The business sample process DEMOBIZ: order entry, order reports, order
-- lists, calls and exchanges, SQL and file access, defaults. Its
-- functions use the keyword variants of every command family the
-- generator writes. The functions' source is in sources/DEM/DEMOBIZ.
INSERT INTO QV_MSG (MSGFIL, MSGID, MSGLNG, MSGSEV, MSGSUB, MSGTXT) VALUES
  ('DC@F23', 'PRC1194', 'ENG', 'F', '10,50',
   'Default value &2 cannot be given to field &1: it is no value of the field''s type and length.');
