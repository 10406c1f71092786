-- The sample component DEMOREC of partition DEM: a component without
-- commands of its own whose business-object description holds a document
-- with proxy, document and identifier records, features, an attribute, a
-- specialization that inherits the document's identifier record and an
-- association without one; a generic search with its key and search record;
-- a link to a module member, and the Restore, CrossUpdateCheck and Verify
-- services. (Dispatch records take part in the field vector of the
-- component, which the record definitions complete.) Its records use fields of several
-- types of the field dictionary.
DELETE FROM QV_OCS WHERE XCSP_I = 'DEM' AND XCSCMP = 'DEMOREC';
DELETE FROM QV_OBN WHERE XBNP_I = 'DEM' AND XBNCMP = 'DEMOREC';
DELETE FROM QV_OBW WHERE XBWP_I = 'DEM' AND XBWCMP = 'DEMOREC';

INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES
 ('DEM', 'DEMOREC', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),
 ('DEM', 'DEMOREC', 2, 'END_COM');

-- node id, parent, the parent's list word, place in the list, kind
INSERT INTO QV_OBN (XBNP_I, XBNCMP, XBNNID, XBNPAR, XBNLST, XBNSEQ, XBNKND) VALUES
 ('DEM', 'DEMOREC', 1,  0,  0,  1, 1000),
 -- the document Order and its data records
 ('DEM', 'DEMOREC', 2,  1,  1,  1, 1100),
 ('DEM', 'DEMOREC', 3,  2,  12, 1, 1300),
 ('DEM', 'DEMOREC', 4,  3,  5,  1, 1400),
 ('DEM', 'DEMOREC', 5,  3,  5,  2, 1400),
 ('DEM', 'DEMOREC', 6,  2,  12, 2, 1320),
 ('DEM', 'DEMOREC', 7,  6,  5,  1, 1400),
 ('DEM', 'DEMOREC', 8,  6,  5,  2, 1400),
 ('DEM', 'DEMOREC', 9,  6,  5,  3, 1400),
 ('DEM', 'DEMOREC', 10, 6,  5,  4, 1400),
 ('DEM', 'DEMOREC', 11, 6,  5,  5, 1400),
 ('DEM', 'DEMOREC', 12, 6,  5,  6, 1400),
 ('DEM', 'DEMOREC', 13, 6,  5,  7, 1400),
 ('DEM', 'DEMOREC', 14, 6,  5,  8, 1410),
 ('DEM', 'DEMOREC', 15, 2,  12, 3, 1330),
 ('DEM', 'DEMOREC', 16, 15, 5,  1, 1400),
 ('DEM', 'DEMOREC', 17, 2,  14, 1, 3001),
 ('DEM', 'DEMOREC', 18, 2,  14, 2, 3040),
 ('DEM', 'DEMOREC', 28, 2,  6,  1, 1120),
 -- a specialization (no identifier record of its own), then an association
 ('DEM', 'DEMOREC', 24, 2,  4,  1, 1130),
 ('DEM', 'DEMOREC', 25, 24, 10, 1, 1300),
 ('DEM', 'DEMOREC', 26, 25, 5,  1, 1400),
 ('DEM', 'DEMOREC', 27, 25, 5,  2, 1400),
 ('DEM', 'DEMOREC', 19, 2,  4,  2, 1110),
 ('DEM', 'DEMOREC', 20, 19, 10, 1, 1300),
 ('DEM', 'DEMOREC', 21, 20, 5,  1, 1400),
 ('DEM', 'DEMOREC', 22, 20, 5,  2, 1400),
 ('DEM', 'DEMOREC', 23, 19, 12, 1, 3090),
 -- the generic search FindOrders
 ('DEM', 'DEMOREC', 29, 1,  1,  2, 1170),
 ('DEM', 'DEMOREC', 30, 29, 4,  1, 1171),
 ('DEM', 'DEMOREC', 31, 29, 6,  1, 1310),
 ('DEM', 'DEMOREC', 32, 31, 5,  1, 1400),
 ('DEM', 'DEMOREC', 33, 29, 8,  1, 3091),
 -- a module member link
 ('DEM', 'DEMOREC', 38, 1,  1,  4, 1050),
 -- the services
 ('DEM', 'DEMOREC', 39, 1,  1,  5, 2200),
 ('DEM', 'DEMOREC', 40, 39, 1,  1, 2300),
 ('DEM', 'DEMOREC', 41, 40, 3,  1, 2301),
 ('DEM', 'DEMOREC', 42, 1,  1,  6, 2270),
 ('DEM', 'DEMOREC', 43, 42, 1,  1, 2300),
 ('DEM', 'DEMOREC', 44, 43, 3,  1, 2302),
 ('DEM', 'DEMOREC', 45, 44, 3,  1, 2303),
 ('DEM', 'DEMOREC', 46, 44, 5,  1, 2303),
 ('DEM', 'DEMOREC', 47, 44, 5,  2, 2303),
 ('DEM', 'DEMOREC', 48, 1,  1,  7, 2280),
 ('DEM', 'DEMOREC', 49, 48, 1,  1, 2300),
 ('DEM', 'DEMOREC', 50, 49, 3,  1, 2304);

INSERT INTO QV_OBW (XBWP_I, XBWCMP, XBWNID, XBWWRD, XBWTYP, XBWNUM, XBWTXT) VALUES
 ('DEM', 'DEMOREC', 2,  1, 'T', NULL, 'Order'),
 ('DEM', 'DEMOREC', 2,  2, 'T', NULL, 'Customer order'),
 ('DEM', 'DEMOREC', 2,  3, 'N', 5,    NULL),
 ('DEM', 'DEMOREC', 3,  1, 'T', NULL, 'OrderProxy'),
 ('DEM', 'DEMOREC', 3,  2, 'N', 11,   NULL),
 ('DEM', 'DEMOREC', 4,  1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOREC', 5,  1, 'T', NULL, 'CUSTNAM'),
 ('DEM', 'DEMOREC', 6,  1, 'T', NULL, 'OrderData'),
 ('DEM', 'DEMOREC', 6,  2, 'N', 12,   NULL),
 ('DEM', 'DEMOREC', 6,  3, 'N', 1,    NULL),
 ('DEM', 'DEMOREC', 7,  1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOREC', 8,  1, 'T', NULL, 'CUSTNAM'),
 ('DEM', 'DEMOREC', 9,  1, 'T', NULL, 'CREDIT'),
 ('DEM', 'DEMOREC', 10, 1, 'T', NULL, 'CUSTSTS'),
 ('DEM', 'DEMOREC', 11, 1, 'T', NULL, 'FSIGNED'),
 ('DEM', 'DEMOREC', 12, 1, 'T', NULL, 'FDATE'),
 ('DEM', 'DEMOREC', 13, 1, 'T', NULL, 'FNOTE'),
 ('DEM', 'DEMOREC', 14, 2, 'T', NULL, 'Customer'),
 ('DEM', 'DEMOREC', 15, 1, 'T', NULL, 'OrderId'),
 ('DEM', 'DEMOREC', 15, 2, 'N', 13,   NULL),
 ('DEM', 'DEMOREC', 16, 1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOREC', 28, 1, 'T', NULL, 'Discount'),
 ('DEM', 'DEMOREC', 28, 2, 'T', NULL, 'Discount of the order'),
 ('DEM', 'DEMOREC', 28, 4, 'N', 1,    NULL),
 ('DEM', 'DEMOREC', 28, 5, 'N', 8,    NULL),
 ('DEM', 'DEMOREC', 24, 1, 'T', NULL, 'RushOrder'),
 ('DEM', 'DEMOREC', 24, 2, 'T', NULL, 'An order shipped at once'),
 ('DEM', 'DEMOREC', 24, 3, 'N', 7,    NULL),
 ('DEM', 'DEMOREC', 25, 1, 'T', NULL, 'RushProxy'),
 ('DEM', 'DEMOREC', 25, 2, 'N', 31,   NULL),
 ('DEM', 'DEMOREC', 26, 1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOREC', 27, 1, 'T', NULL, 'FINT2'),
 ('DEM', 'DEMOREC', 19, 1, 'T', NULL, 'OrderLines'),
 ('DEM', 'DEMOREC', 19, 2, 'T', NULL, 'The lines of an order'),
 ('DEM', 'DEMOREC', 19, 3, 'N', 6,    NULL),
 ('DEM', 'DEMOREC', 20, 1, 'T', NULL, 'LineProxy'),
 ('DEM', 'DEMOREC', 20, 2, 'N', 21,   NULL),
 ('DEM', 'DEMOREC', 21, 1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOREC', 22, 1, 'T', NULL, 'FAMOUNT'),
 ('DEM', 'DEMOREC', 29, 1, 'T', NULL, 'FindOrders'),
 ('DEM', 'DEMOREC', 29, 2, 'T', NULL, 'Orders by customer name'),
 ('DEM', 'DEMOREC', 29, 3, 'N', 9,    NULL),
 ('DEM', 'DEMOREC', 30, 1, 'T', NULL, 'ByName'),
 ('DEM', 'DEMOREC', 30, 2, 'T', NULL, 'Customer name'),
 ('DEM', 'DEMOREC', 30, 3, 'N', 1,    NULL),
 ('DEM', 'DEMOREC', 30, 4, 'N', 10,   NULL),
 ('DEM', 'DEMOREC', 31, 1, 'T', NULL, 'OrderSearch'),
 ('DEM', 'DEMOREC', 31, 2, 'N', 41,   NULL),
 ('DEM', 'DEMOREC', 32, 1, 'T', NULL, 'CUSTNAM'),
 ('DEM', 'DEMOREC', 38, 1, 'N', 2,    NULL),
 ('DEM', 'DEMOREC', 40, 1, 'T', NULL, 'RestoreOrder'),
 ('DEM', 'DEMOREC', 40, 2, 'N', 12,   NULL),
 ('DEM', 'DEMOREC', 43, 1, 'T', NULL, 'CheckOrder'),
 ('DEM', 'DEMOREC', 43, 2, 'N', 12,   NULL),
 ('DEM', 'DEMOREC', 45, 1, 'T', NULL, 'OrderDoc'),
 ('DEM', 'DEMOREC', 45, 2, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOREC', 46, 1, 'T', NULL, 'OrderDoc'),
 ('DEM', 'DEMOREC', 46, 2, 'T', NULL, 'CUSTNAM'),
 ('DEM', 'DEMOREC', 47, 1, 'T', NULL, 'OrderDoc'),
 ('DEM', 'DEMOREC', 47, 2, 'T', NULL, 'CREDIT'),
 ('DEM', 'DEMOREC', 49, 1, 'T', NULL, 'VerifyOrder'),
 ('DEM', 'DEMOREC', 49, 2, 'N', 12,   NULL),
 ('DEM', 'DEMOREC', 50, 1, 'T', NULL, 'CreditLimit'),
 ('DEM', 'DEMOREC', 50, 2, 'N', 14,   NULL);

-- The resources of DEMOREC: a bitmap, an icon with a reference kind of its
-- own, and a resource without data (which the C# project leaves out).
DELETE FROM QV_ORS WHERE XRSP_I = 'DEM' AND XRSCMP = 'DEMOREC';
INSERT INTO QV_ORS (XRSP_I, XRSCMP, XRSSEQ, XRSTYP, XRSID, XRSKND, XRSEXT, XRSKEY, XRSHEX) VALUES
 ('DEM', 'DEMOREC', 1, 1130, 101, '', '', 'BITMAP', 'FFD8FFE000104A464946'),
 ('DEM', 'DEMOREC', 2, 1140, 102, '', '', 'ICON', ''),
 ('DEM', 'DEMOREC', 3, 1140, 103, '_Ref_Icon', '.ico', 'ICON', '00000100010010');
