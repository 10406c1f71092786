-- The primitive classes of the environment that components extend and
-- define members of, with their features (QV_OCL): the base object, the
-- Web Application Module, a collection of component references, a timer,
-- and the value holders of an alphanumeric and a numeric value.
DELETE FROM QV_OCL WHERE XCLP_I = 'DEM';

INSERT INTO QV_OCL (XCLP_I, XCLCLS, XCLSEQ, XCLKND, XCLFTR, XCLOWN) VALUES
 ('DEM', 'PRIM_OBJT', 1, 'P', 'ComponentClassName', ''),
 ('DEM', 'PRIM_OBJT', 2, 'E', 'CreateInstance', ''),
 ('DEM', 'PRIM_OBJT', 3, 'E', 'DestroyInstance', ''),
 ('DEM', 'PRIM_WAM', 1, 'P', 'SessionStatus', ''),
 ('DEM', 'PRIM_WAM', 2, 'E', 'SessionInvalid', ''),
 ('DEM', 'PRIM_WAM', 3, 'M', 'Transfer', ''),
 ('DEM', 'PRIM_WAM', 4, 'A', 'ToRoutine', 'Transfer'),
 ('DEM', 'PRIM_ACOL', 1, 'C', '*ANY', ''),
 ('DEM', 'PRIM_ACOL', 2, 'P', 'ItemCount', ''),
 ('DEM', 'PRIM_ACOL', 3, 'M', 'Insert', ''),
 ('DEM', 'PRIM_ACOL', 4, 'A', 'Item', 'Insert'),
 ('DEM', 'PRIM_ACOL', 5, 'M', 'RemoveAll', ''),
 ('DEM', 'PRIM_TIMR', 1, 'P', 'Interval', ''),
 ('DEM', 'PRIM_TIMR', 2, 'E', 'Tick', ''),
 ('DEM', 'PRIM_TIMR', 3, 'M', 'Start', ''),
 ('DEM', 'PRIM_TIMR', 4, 'M', 'Stop', ''),
 ('DEM', 'PRIM_ALPH', 1, 'P', 'Value', ''),
 ('DEM', 'PRIM_ALPH', 2, 'P', 'UpperCase', ''),
 ('DEM', 'PRIM_NMBR', 1, 'P', 'Value', ''),
 ('DEM', 'PRIM_NMBR', 2, 'M', 'Round', ''),
 ('DEM', 'PRIM_NMBR', 3, 'A', 'Decimals', 'Round');
