-- Object layer and object server tables of the repository.
--
-- QV_OCS  component source: one row per stored line of a ZOPHX component,
--         in line order (XCSSEQ); XCSTXT holds the line as written
--         ("label: NAME parameters").
-- QV_OCM  compound components: the members of a compound component in
--         build order; a component with rows here is built in one pass per
--         member.
-- QV_OBN  component description nodes (the business-object description):
--         node id, the parent node's id (0 for the root), the word of the
--         parent that holds the count of the child list the node belongs to
--         (the list's array is the next word), the node's place in that
--         list and its kind.
-- QV_OBW  words of the description nodes: word number 1-15, type 'N'
--         (XBWNUM holds a number) or 'T' (XBWTXT holds a text).
-- QV_OVR  version data of an object (what the developer gave the object for
--         its version resource): company name, legal copyright, legal
--         trademarks, product name, comments, product version, file version.
CREATE TABLE IF NOT EXISTS QV_OCS (
    XCSP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XCSCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XCSSEQ INTEGER  NOT NULL,
    XCSTXT TEXT     NOT NULL,
    PRIMARY KEY (XCSP_I, XCSCMP, XCSSEQ));

CREATE TABLE IF NOT EXISTS QV_OCM (
    XCMP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XCMCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XCMSEQ INTEGER  NOT NULL,
    XCMMEM CHAR(10) NOT NULL COLLATE RTRIM,
    PRIMARY KEY (XCMP_I, XCMCMP, XCMSEQ));

CREATE TABLE IF NOT EXISTS QV_OBN (
    XBNP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XBNCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XBNNID INTEGER  NOT NULL,
    XBNPAR INTEGER  NOT NULL,
    XBNLST INTEGER  NOT NULL,
    XBNSEQ INTEGER  NOT NULL,
    XBNKND INTEGER  NOT NULL,
    PRIMARY KEY (XBNP_I, XBNCMP, XBNNID));

CREATE TABLE IF NOT EXISTS QV_OBW (
    XBWP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XBWCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XBWNID INTEGER  NOT NULL,
    XBWWRD INTEGER  NOT NULL,
    XBWTYP CHAR(1)  NOT NULL,
    XBWNUM INTEGER,
    XBWTXT TEXT,
    PRIMARY KEY (XBWP_I, XBWCMP, XBWNID, XBWWRD));

CREATE TABLE IF NOT EXISTS QV_OVR (
    XVRP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XVROBJ CHAR(10) NOT NULL COLLATE RTRIM,
    XVRSEQ INTEGER  NOT NULL,
    XVRCOM TEXT,
    XVRCPY TEXT,
    XVRTMK TEXT,
    XVRPRD TEXT,
    XVRCMT TEXT,
    XVRPVR TEXT,
    XVRFVR TEXT,
    PRIMARY KEY (XVRP_I, XVROBJ, XVRSEQ));
