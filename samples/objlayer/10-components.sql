-- Sample components of partition DEM: DEMOCOMP (a ZOPHX component with its
-- source and its description), DEMOCMP2, and the compound DEMOSUITE made of
-- the two; the Web Application Module of DEMOCOMP; version data of DEMOCOMP
-- and of the sample function DEMOFN.
DELETE FROM QV_OCS WHERE XCSP_I = 'DEM';
DELETE FROM QV_OCM WHERE XCMP_I = 'DEM';
DELETE FROM QV_OBN WHERE XBNP_I = 'DEM';
DELETE FROM QV_OBW WHERE XBWP_I = 'DEM';
DELETE FROM QV_OVR WHERE XVRP_I = 'DEM';
DELETE FROM QV_OWM WHERE XWMP_I = 'DEM';
DELETE FROM QV_OWR WHERE XWRP_I = 'DEM';
DELETE FROM QV_OWF WHERE XWFP_I = 'DEM';
DELETE FROM QV_OWP WHERE XWPP_I = 'DEM';

INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES
 ('DEM', 'DEMOCOMP', 10,  'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),
 ('DEM', 'DEMOCOMP', 20,  'DEFINE_PTY NAME(CUSTNAME) GET(GETNAME)'),
 ('DEM', 'DEMOCOMP', 30,  '* Property routine of the customer name'),
 ('DEM', 'DEMOCOMP', 40,  'PTYROUTINE NAME(GETNAME)'),
 ('DEM', 'DEMOCOMP', 50,  'DEFINE_MAP FOR(*OUTPUT) CLASS(#CUSTNAM) NAME(#PROPERTY)'),
 ('DEM', 'DEMOCOMP', 60,  'SET #PROPERTY VALUE(#CUSTNAM)'),
 ('DEM', 'DEMOCOMP', 70,  'ENDROUTINE'),
 ('DEM', 'DEMOCOMP', 80,  'MTHROUTINE NAME(CHECK)'),
 ('DEM', 'DEMOCOMP', 90,  'IF COND(''#CUSTNO *EQ 0'')'),
 ('DEM', 'DEMOCOMP', 100, 'L1: CHANGE FIELD(#CUSTNAM) TO(''Customer number isn''''t set'')'),
 ('DEM', 'DEMOCOMP', 110, 'ENDIF'),
 ('DEM', 'DEMOCOMP', 120, 'ENDROUTINE'),
 ('DEM', 'DEMOCOMP', 130, 'END_COM'),
 ('DEM', 'DEMOCMP2', 1,   'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),
 ('DEM', 'DEMOCMP2', 2,   'DEFINE_COM CLASS(#DEMOCOMP) NAME(#DEMOCOMP)'),
 ('DEM', 'DEMOCMP2', 3,   'INVOKE #DEMOCOMP.CHECK'),
 ('DEM', 'DEMOCMP2', 4,   'END_COM');

INSERT INTO QV_OCM (XCMP_I, XCMCMP, XCMSEQ, XCMMEM) VALUES
 ('DEM', 'DEMOSUITE', 1, 'DEMOCOMP'),
 ('DEM', 'DEMOSUITE', 2, 'DEMOCMP2');

-- Description of DEMOCOMP: a content root holding the Customer document
-- (proxy, document and identifier records) and the document's dispatch
-- record.
INSERT INTO QV_OBN (XBNP_I, XBNCMP, XBNNID, XBNPAR, XBNLST, XBNSEQ, XBNKND) VALUES
 ('DEM', 'DEMOCOMP', 1,  0,  0,  1, 1000),
 ('DEM', 'DEMOCOMP', 2,  1,  1,  1, 1100),
 ('DEM', 'DEMOCOMP', 3,  2,  12, 1, 1300),
 ('DEM', 'DEMOCOMP', 4,  3,  5,  1, 1400),
 ('DEM', 'DEMOCOMP', 5,  3,  5,  2, 1400),
 ('DEM', 'DEMOCOMP', 6,  2,  12, 2, 1320),
 ('DEM', 'DEMOCOMP', 7,  6,  5,  1, 1400),
 ('DEM', 'DEMOCOMP', 8,  6,  5,  2, 1400),
 ('DEM', 'DEMOCOMP', 9,  6,  5,  3, 1410),
 ('DEM', 'DEMOCOMP', 10, 2,  12, 3, 1330),
 ('DEM', 'DEMOCOMP', 11, 10, 5,  1, 1400),
 ('DEM', 'DEMOCOMP', 12, 1,  1,  2, 1520),
 ('DEM', 'DEMOCOMP', 13, 12, 4,  1, 1400),
 ('DEM', 'DEMOCOMP', 14, 12, 4,  2, 1400);

INSERT INTO QV_OBW (XBWP_I, XBWCMP, XBWNID, XBWWRD, XBWTYP, XBWNUM, XBWTXT) VALUES
 ('DEM', 'DEMOCOMP', 2,  1, 'T', NULL, 'Customer'),
 ('DEM', 'DEMOCOMP', 2,  2, 'T', NULL, 'Customer document'),
 ('DEM', 'DEMOCOMP', 2,  3, 'N', 1,    NULL),
 ('DEM', 'DEMOCOMP', 3,  1, 'T', NULL, 'CustomerProxy'),
 ('DEM', 'DEMOCOMP', 3,  2, 'N', 1,    NULL),
 ('DEM', 'DEMOCOMP', 4,  1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOCOMP', 5,  1, 'T', NULL, 'CUSTNAME'),
 ('DEM', 'DEMOCOMP', 6,  1, 'T', NULL, 'CustomerData'),
 ('DEM', 'DEMOCOMP', 6,  2, 'N', 2,    NULL),
 ('DEM', 'DEMOCOMP', 7,  1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOCOMP', 8,  1, 'T', NULL, 'CUSTNAME'),
 ('DEM', 'DEMOCOMP', 9,  2, 'T', NULL, 'Address'),
 ('DEM', 'DEMOCOMP', 10, 1, 'T', NULL, 'CustomerId'),
 ('DEM', 'DEMOCOMP', 10, 2, 'N', 3,    NULL),
 ('DEM', 'DEMOCOMP', 11, 1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOCOMP', 12, 1, 'T', NULL, 'CustomerData'),
 ('DEM', 'DEMOCOMP', 12, 2, 'N', 2,    NULL),
 ('DEM', 'DEMOCOMP', 13, 1, 'T', NULL, 'CUSTNO'),
 ('DEM', 'DEMOCOMP', 14, 1, 'T', NULL, 'CUSTNAME');

INSERT INTO QV_OVR (XVRP_I, XVROBJ, XVRSEQ, XVRCOM, XVRCPY, XVRTMK, XVRPRD, XVRCMT, XVRPVR, XVRFVR) VALUES
 ('DEM', 'DEMOCOMP', 1, 'Demo Traders Ltd', 'Copyright 2026 Demo Traders Ltd', '', 'Demo Orders',
  'Customer component', '2.5.0.1', '2,5,0,1'),
 ('DEM', 'DEMOFN', 1, 'Demo Traders Ltd', NULL, NULL, 'Demo Orders', NULL, '1.0.3.0', NULL),
 ('DEM', 'DEMOMIN', 1, 'Demo Traders Ltd', 'Copyright 2026 Demo Traders Ltd', NULL, 'Demo Orders',
  'Smallest sample function', '1.0.0.0', '1,0,0,0');

-- The WAM CustomerWAM of DEMOCOMP: a STANDARD web routine with two fields
-- and a list of two columns, and a JSON web routine.
INSERT INTO QV_OWM (XWMP_I, XWMCMP, XWMSEQ, XWMNAM, XWMINL, XWMNUM, XWMLAY) VALUES
 ('DEM', 'DEMOCOMP', 1, 'CustomerWAM', 1, 2, 'demo_layout');

INSERT INTO QV_OWR (XWRP_I, XWRCMP, XWRWAM, XWRSEQ, XWRNAM, XWRDES, XWRSRV, XWRRSP) VALUES
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 1, 'ShowCustomer', 'Show one customer', 'ShowCustomerService', 3),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 2, 'Ping', 'Answer a ping', 'PingService', 2);

INSERT INTO QV_OWF (XWFP_I, XWFCMP, XWFWAM, XWFWRN, XWFSEQ, XWFKND, XWFNAM, XWFLEN, XWFDIG, XWFFRC, XWFDEC,
                    XWFTYP, XWFKSH, XWFMOD, XWFCAP, XWFUSE, XWFPER, XWFINP, XWFATR, XWFINL, XWFFMT, XWFWBL,
                    XWFDSC, XWFLAB, XWFHD1, XWFHD2, XWFHD3, XWFSMP) VALUES
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 1, 'F', 'CUSTNO', 7, 7, 0, '.', 'P', ' ', 1, 1, 1, 0, 0, 0,
  0, 0, NULL, 'Customer number', 'Customer', 'Customer', 'number', NULL, '1234567'),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 2, 'F', 'CUSTNAM', 40, 0, 0, '.', 'A', 'X', 2, 2, 2, 1, 1, 3,
  0, 0, 'std_dropdown', 'Customer name', 'Name', 'Customer', 'name', NULL, NULL),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 3, 'L', 'CUSTLIST', 0, 0, 0, '.', 'A', ' ', 2, 0, 2, 0, 0, 0,
  1, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 4, 'C', 'CUSTNO', 7, 7, 0, '.', 'P', ' ', 2, 3, 2, 0, 0, 0,
  0, 0, NULL, 'Customer number', 'Customer', 'Customer', 'number', NULL, NULL),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 5, 'C', 'CREDIT', 11, 11, 2, ',', 'S', ' ', 2, 3, 2, 0, 0, 32,
  0, 0, NULL, 'Credit limit', 'Credit', 'Credit', 'limit', NULL, NULL),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 6, 'E', 'CUSTLIST', 0, 0, 0, '.', 'A', ' ', 2, 0, 2, 0, 0, 0,
  1, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'Ping', 1, 'F', 'CUSTSTS', 1, 0, 0, '.', 'A', ' ', 2, 0, 2, 0, 0, 0,
  0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL);

INSERT INTO QV_OWP (XWPP_I, XWPCMP, XWPWAM, XWPWRN, XWPFLD, XWPSEQ, XWPCAP, XWPVAL) VALUES
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 'CUSTNAM', 1, 'Smith', 'SMITH'),
 ('DEM', 'DEMOCOMP', 'CustomerWAM', 'ShowCustomer', 'CUSTNAM', 2, 'Jones', 'JONES');
