-- The sample component DEMOXUC of partition DEM: a component without
-- commands of its own whose business-object description holds two
-- documents, Account and Contact, each with its document record and the
-- dispatch record of the same number, and a CrossUpdateCheck service with
-- one case per record. Case 12 (AccountData) finds a conflict when the
-- customer name or the credit changed in the store since the record was
-- read and the update changes the credit; case 14 (ContactData) when the
-- status changed in the store and the update changes the signed amount or
-- the status.
DELETE FROM QV_OCS WHERE XCSP_I = 'DEM' AND XCSCMP = 'DEMOXUC';
DELETE FROM QV_OBN WHERE XBNP_I = 'DEM' AND XBNCMP = 'DEMOXUC';
DELETE FROM QV_OBW WHERE XBWP_I = 'DEM' AND XBWCMP = 'DEMOXUC';

INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES
 ('DEM', 'DEMOXUC', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),
 ('DEM', 'DEMOXUC', 2, 'END_COM');

-- node id, parent, the parent's list word, place in the list, kind
INSERT INTO QV_OBN (XBNP_I, XBNCMP, XBNNID, XBNPAR, XBNLST, XBNSEQ, XBNKND) VALUES
 ('DEM', 'DEMOXUC', 1,  0,  0,  1, 1000),
 -- the document Account and its data record
 ('DEM', 'DEMOXUC', 2,  1,  1,  1, 1100),
 ('DEM', 'DEMOXUC', 3,  2,  12, 1, 1320),
 ('DEM', 'DEMOXUC', 4,  3,  5,  1, 1400),
 ('DEM', 'DEMOXUC', 5,  3,  5,  2, 1400),
 ('DEM', 'DEMOXUC', 6,  3,  5,  3, 1400),
 -- the document Contact and its data record
 ('DEM', 'DEMOXUC', 7,  1,  1,  2, 1100),
 ('DEM', 'DEMOXUC', 8,  7,  12, 1, 1320),
 ('DEM', 'DEMOXUC', 9,  8,  5,  1, 1400),
 ('DEM', 'DEMOXUC', 10, 8,  5,  2, 1400),
 ('DEM', 'DEMOXUC', 11, 8,  5,  3, 1400),
 -- the dispatch records of the two documents
 ('DEM', 'DEMOXUC', 12, 1,  1,  3, 1520),
 ('DEM', 'DEMOXUC', 13, 12, 4,  1, 1400),
 ('DEM', 'DEMOXUC', 14, 12, 4,  2, 1400),
 ('DEM', 'DEMOXUC', 15, 12, 4,  3, 1400),
 ('DEM', 'DEMOXUC', 16, 1,  1,  4, 1520),
 ('DEM', 'DEMOXUC', 17, 16, 4,  1, 1400),
 ('DEM', 'DEMOXUC', 18, 16, 4,  2, 1400),
 ('DEM', 'DEMOXUC', 19, 16, 4,  3, 1400),
 -- the CrossUpdateCheck service, a case for each record
 ('DEM', 'DEMOXUC', 20, 1,  1,  5, 2270),
 ('DEM', 'DEMOXUC', 21, 20, 1,  1, 2300),
 ('DEM', 'DEMOXUC', 22, 21, 3,  1, 2302),
 ('DEM', 'DEMOXUC', 23, 22, 3,  1, 2303),
 ('DEM', 'DEMOXUC', 24, 22, 3,  2, 2303),
 ('DEM', 'DEMOXUC', 25, 22, 5,  1, 2303),
 ('DEM', 'DEMOXUC', 26, 20, 1,  2, 2300),
 ('DEM', 'DEMOXUC', 27, 26, 3,  1, 2302),
 ('DEM', 'DEMOXUC', 28, 27, 3,  1, 2303),
 ('DEM', 'DEMOXUC', 29, 27, 5,  1, 2303),
 ('DEM', 'DEMOXUC', 30, 27, 5,  2, 2303);

INSERT INTO QV_OBW (XBWP_I, XBWCMP, XBWNID, XBWWRD, XBWTYP, XBWNUM, XBWTXT) VALUES
 ('DEM', 'DEMOXUC', 2,  1, 'T', NULL, 'Account'),
 ('DEM', 'DEMOXUC', 2,  2, 'T', NULL, 'Customer account'),
 ('DEM', 'DEMOXUC', 2,  3, 'N', 1,    NULL),
 ('DEM', 'DEMOXUC', 3,  1, 'T', NULL, 'AccountData'),
 ('DEM', 'DEMOXUC', 3,  2, 'N', 12,   NULL),
 ('DEM', 'DEMOXUC', 4,  1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOXUC', 5,  1, 'T', NULL, 'CUSTNAM'),
 ('DEM', 'DEMOXUC', 6,  1, 'T', NULL, 'CREDIT'),
 ('DEM', 'DEMOXUC', 7,  1, 'T', NULL, 'Contact'),
 ('DEM', 'DEMOXUC', 7,  2, 'T', NULL, 'Customer contact'),
 ('DEM', 'DEMOXUC', 7,  3, 'N', 2,    NULL),
 ('DEM', 'DEMOXUC', 8,  1, 'T', NULL, 'ContactData'),
 ('DEM', 'DEMOXUC', 8,  2, 'N', 14,   NULL),
 ('DEM', 'DEMOXUC', 9,  1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOXUC', 10, 1, 'T', NULL, 'CUSTSTS'),
 ('DEM', 'DEMOXUC', 11, 1, 'T', NULL, 'FSIGNED'),
 ('DEM', 'DEMOXUC', 12, 1, 'T', NULL, 'AccountData'),
 ('DEM', 'DEMOXUC', 12, 2, 'N', 12,   NULL),
 ('DEM', 'DEMOXUC', 13, 1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOXUC', 14, 1, 'T', NULL, 'CUSTNAM'),
 ('DEM', 'DEMOXUC', 15, 1, 'T', NULL, 'CREDIT'),
 ('DEM', 'DEMOXUC', 16, 1, 'T', NULL, 'ContactData'),
 ('DEM', 'DEMOXUC', 16, 2, 'N', 14,   NULL),
 ('DEM', 'DEMOXUC', 17, 1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOXUC', 18, 1, 'T', NULL, 'CUSTSTS'),
 ('DEM', 'DEMOXUC', 19, 1, 'T', NULL, 'FSIGNED'),
 ('DEM', 'DEMOXUC', 21, 1, 'T', NULL, 'CheckAccount'),
 ('DEM', 'DEMOXUC', 21, 2, 'N', 12,   NULL),
 ('DEM', 'DEMOXUC', 23, 1, 'T', NULL, 'AccountData'),
 ('DEM', 'DEMOXUC', 23, 2, 'T', NULL, 'CUSTNAM'),
 ('DEM', 'DEMOXUC', 24, 1, 'T', NULL, 'AccountData'),
 ('DEM', 'DEMOXUC', 24, 2, 'T', NULL, 'CREDIT'),
 ('DEM', 'DEMOXUC', 25, 1, 'T', NULL, 'AccountData'),
 ('DEM', 'DEMOXUC', 25, 2, 'T', NULL, 'CREDIT'),
 ('DEM', 'DEMOXUC', 26, 1, 'T', NULL, 'CheckContact'),
 ('DEM', 'DEMOXUC', 26, 2, 'N', 14,   NULL),
 ('DEM', 'DEMOXUC', 28, 1, 'T', NULL, 'ContactData'),
 ('DEM', 'DEMOXUC', 28, 2, 'T', NULL, 'CUSTSTS'),
 ('DEM', 'DEMOXUC', 29, 1, 'T', NULL, 'ContactData'),
 ('DEM', 'DEMOXUC', 29, 2, 'T', NULL, 'FSIGNED'),
 ('DEM', 'DEMOXUC', 30, 1, 'T', NULL, 'ContactData'),
 ('DEM', 'DEMOXUC', 30, 2, 'T', NULL, 'CUSTSTS');
