-- Object layer and object server tables of the repository.
--
-- QV_OCS  component source: one row per stored line of a ZOPHX component,
--         in line order (XCSSEQ); XCSTXT holds the line as written
--         ("label: NAME parameters").
-- QV_OCM  compound components: the members of a compound component in
--         build order; a component with rows here is built in one pass per
--         member.
-- QV_OCD  component definitions: the kind word of a component (a 32-bit
--         value whose second byte, bits 8 to 15, is 1 for a component of
--         language level two: 256) and its module identifier, which names
--         its generated files (at most 8 characters; empty: the component's
--         name made an identifier). A component without a row has kind 0.
-- QV_OCL  the primitive classes of the environment and their features, in
--         order: kind 'P' a property, 'E' an event, 'M' a method, 'A' a
--         parameter (XCLOWN names the method or event it belongs to), 'C'
--         the class is a collection (XCLFTR names the class of its items,
--         or *ANY).
-- QV_OBN  component description nodes (the business-object description):
--         node id, the parent node's id (0 for the root), the word of the
--         parent that holds the count of the child list the node belongs to
--         (the list's array is the next word), the node's place in that
--         list and its kind.
-- QV_OBW  words of the description nodes: word number 1-15, type 'N'
--         (XBWNUM holds a number) or 'T' (XBWTXT holds a text).
-- QV_ORS  resources of a component, in order: type (1130 a bitmap),
--         identifier, reference kind text, file extension, resource keyword
--         (each may be empty) and the resource's data as hexadecimal text.
-- QV_OTR  member texts of a component, in order: owner and member whose
--         multilingual text a routine fetches, text kind (6 description, 7
--         label, 8-10 column headings 1-3) and the target's name in C and C#.
-- QV_OWM  Web Application Modules of a component, in order: name, inline
--         option (0 None, 1 Lists), numeric validation (0 Default, 1 Yes,
--         2 No), layout weblet (empty for none).
-- QV_OWR  web routines of a WAM, in order: name, description, service
--         name, response type (0 Invalid, 1 None, 2 JSON, 3 STANDARD, 4 LOB).
-- QV_OWF  items of a web routine, in order: kind 'F' field, 'L' list start,
--         'C' list column, 'E' list end; the field's or list's name and its
--         properties (maximum length, digits, fraction digits, decimal
--         separator, type letter, keyboard shift, mode, caption reference,
--         used for / a list's map-for, persistence, input operation,
--         attribute flags, a list's inline and output format, weblet,
--         description, label, three headings, sample value).
-- QV_OWP  pick-list entries of a field of a web routine: caption and value.
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

CREATE TABLE IF NOT EXISTS QV_OCD (
    XCDP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XCDCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XCDKND INTEGER  NOT NULL DEFAULT 0,
    XCDMOD TEXT     NOT NULL DEFAULT '',
    PRIMARY KEY (XCDP_I, XCDCMP));

CREATE TABLE IF NOT EXISTS QV_OCL (
    XCLP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XCLCLS CHAR(10) NOT NULL COLLATE RTRIM,
    XCLSEQ INTEGER  NOT NULL,
    XCLKND CHAR(1)  NOT NULL,
    XCLFTR TEXT     NOT NULL,
    XCLOWN TEXT     NOT NULL DEFAULT '',
    PRIMARY KEY (XCLP_I, XCLCLS, XCLSEQ));

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

CREATE TABLE IF NOT EXISTS QV_ORS (
    XRSP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XRSCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XRSSEQ INTEGER  NOT NULL,
    XRSTYP INTEGER  NOT NULL,
    XRSID  INTEGER  NOT NULL,
    XRSKND TEXT     NOT NULL DEFAULT '',
    XRSEXT TEXT     NOT NULL DEFAULT '',
    XRSKEY TEXT     NOT NULL DEFAULT '',
    XRSHEX TEXT     NOT NULL DEFAULT '',
    PRIMARY KEY (XRSP_I, XRSCMP, XRSSEQ));

CREATE TABLE IF NOT EXISTS QV_OTR (
    XTRP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XTRCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XTRSEQ INTEGER  NOT NULL,
    XTROWN TEXT     NOT NULL,
    XTRMBR TEXT     NOT NULL,
    XTRKND INTEGER  NOT NULL,
    XTRCNM TEXT     NOT NULL,
    XTRSNM TEXT     NOT NULL,
    PRIMARY KEY (XTRP_I, XTRCMP, XTRSEQ));

CREATE TABLE IF NOT EXISTS QV_OWM (
    XWMP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XWMCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XWMSEQ INTEGER  NOT NULL,
    XWMNAM TEXT     NOT NULL,
    XWMINL INTEGER  NOT NULL DEFAULT 0,
    XWMNUM INTEGER  NOT NULL DEFAULT 0,
    XWMLAY TEXT,
    PRIMARY KEY (XWMP_I, XWMCMP, XWMSEQ));

CREATE TABLE IF NOT EXISTS QV_OWR (
    XWRP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XWRCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XWRWAM TEXT     NOT NULL,
    XWRSEQ INTEGER  NOT NULL,
    XWRNAM TEXT     NOT NULL,
    XWRDES TEXT,
    XWRSRV TEXT,
    XWRRSP INTEGER  NOT NULL DEFAULT 3,
    PRIMARY KEY (XWRP_I, XWRCMP, XWRWAM, XWRSEQ));

CREATE TABLE IF NOT EXISTS QV_OWF (
    XWFP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XWFCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XWFWAM TEXT     NOT NULL,
    XWFWRN TEXT     NOT NULL,
    XWFSEQ INTEGER  NOT NULL,
    XWFKND CHAR(1)  NOT NULL,
    XWFNAM TEXT     NOT NULL,
    XWFLEN INTEGER  NOT NULL DEFAULT 0,
    XWFDIG INTEGER  NOT NULL DEFAULT 0,
    XWFFRC INTEGER  NOT NULL DEFAULT 0,
    XWFDEC CHAR(1)  NOT NULL DEFAULT '.',
    XWFTYP CHAR(1)  NOT NULL DEFAULT 'A',
    XWFKSH CHAR(1)  NOT NULL DEFAULT ' ',
    XWFMOD INTEGER  NOT NULL DEFAULT 3,
    XWFCAP INTEGER  NOT NULL DEFAULT 0,
    XWFUSE INTEGER  NOT NULL DEFAULT 0,
    XWFPER INTEGER  NOT NULL DEFAULT 0,
    XWFINP INTEGER  NOT NULL DEFAULT 0,
    XWFATR INTEGER  NOT NULL DEFAULT 0,
    XWFINL INTEGER  NOT NULL DEFAULT 0,
    XWFFMT INTEGER  NOT NULL DEFAULT 0,
    XWFWBL TEXT,
    XWFDSC TEXT,
    XWFLAB TEXT,
    XWFHD1 TEXT,
    XWFHD2 TEXT,
    XWFHD3 TEXT,
    XWFSMP TEXT,
    PRIMARY KEY (XWFP_I, XWFCMP, XWFWAM, XWFWRN, XWFSEQ));

CREATE TABLE IF NOT EXISTS QV_OWP (
    XWPP_I CHAR(3)  NOT NULL COLLATE RTRIM,
    XWPCMP CHAR(10) NOT NULL COLLATE RTRIM,
    XWPWAM TEXT     NOT NULL,
    XWPWRN TEXT     NOT NULL,
    XWPFLD TEXT     NOT NULL,
    XWPSEQ INTEGER  NOT NULL,
    XWPCAP TEXT     NOT NULL,
    XWPVAL TEXT     NOT NULL,
    PRIMARY KEY (XWPP_I, XWPCMP, XWPWAM, XWPWRN, XWPFLD, XWPSEQ));
