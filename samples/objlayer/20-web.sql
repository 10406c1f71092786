-- Web services of the object server (see src/platform/dqoosrv/dqoosrv_web.h)
-- and the sample Web Application Module.
--
-- QV_OWS  settings of the web generation: GLOBAL.<n> global parameter n
--         (2: base of the web work directory, 28: base of the weblet design
--         directories), TSPHOME the directory of the technology services'
--         stylesheets, IMAGESPATH and ACTIONREQUEST of the generated pages.
-- QV_OTA  technology-service applications: TSP, application, 'Y' when it is
--         a valid XML application, the path of its generation stylesheet
--         and of its definition document, a description.
-- QV_OLC  languages: code page, ISO code and description.
-- QV_OWD  stored data of a WAM: the layout weblet it names ('' for none) and
--         two one-character settings.
-- QV_OWA  applications registered for a WAM.
-- QV_OWB  weblet stylesheets by name, language, TSP and application (both ''
--         for a weblet's base stylesheet): description, the document number
--         of its text, the date (YYYYMMDD) and time (HHMMSSmmm) it was
--         stored, and 'Y' when it may not be replaced.
-- QV_OWK  weblet locks: the job that holds the lock.
-- QV_OWX  stored documents of web routines: a stylesheet per language, TSP
--         and application; the runtime-data document with language, TSP
--         and application ''.
-- QV_OWT  document texts, in pieces in XWTSEQ order.
CREATE TABLE IF NOT EXISTS QV_OWS (
    XWSKEY TEXT NOT NULL PRIMARY KEY,
    XWSVAL TEXT NOT NULL);

CREATE TABLE IF NOT EXISTS QV_OTA (
    XTATSP TEXT NOT NULL,
    XTAAPP TEXT NOT NULL,
    XTAXML CHAR(1) NOT NULL DEFAULT 'Y',
    XTAGEN TEXT NOT NULL DEFAULT '',
    XTADEF TEXT NOT NULL DEFAULT '',
    XTADSC TEXT NOT NULL DEFAULT '',
    PRIMARY KEY (XTATSP, XTAAPP));

CREATE TABLE IF NOT EXISTS QV_OLC (
    XLCLNG CHAR(4) NOT NULL COLLATE RTRIM PRIMARY KEY,
    XLCCCP INTEGER NOT NULL,
    XLCISO TEXT NOT NULL,
    XLCDSC TEXT NOT NULL DEFAULT '');

CREATE TABLE IF NOT EXISTS QV_OWD (
    XWDP_I CHAR(3) NOT NULL COLLATE RTRIM,
    XWDWAM TEXT    NOT NULL,
    XWDLAY TEXT    NOT NULL DEFAULT '',
    XWDST1 CHAR(1) NOT NULL DEFAULT ' ',
    XWDST2 CHAR(1) NOT NULL DEFAULT ' ',
    PRIMARY KEY (XWDP_I, XWDWAM));

CREATE TABLE IF NOT EXISTS QV_OWA (
    XWAP_I CHAR(3) NOT NULL COLLATE RTRIM,
    XWAWAM TEXT    NOT NULL,
    XWATSP TEXT    NOT NULL,
    XWAAPP TEXT    NOT NULL,
    PRIMARY KEY (XWAP_I, XWAWAM, XWATSP, XWAAPP));

CREATE TABLE IF NOT EXISTS QV_OWB (
    XWBP_I CHAR(3) NOT NULL COLLATE RTRIM,
    XWBNAM TEXT    NOT NULL,
    XWBLNG TEXT    NOT NULL,
    XWBTSP TEXT    NOT NULL,
    XWBAPP TEXT    NOT NULL,
    XWBDSC TEXT    NOT NULL DEFAULT '',
    XWBDOC INTEGER NOT NULL,
    XWBMDT INTEGER NOT NULL DEFAULT 0,
    XWBMTM INTEGER NOT NULL DEFAULT 0,
    XWBRDO CHAR(1) NOT NULL DEFAULT 'N',
    PRIMARY KEY (XWBP_I, XWBNAM, XWBLNG, XWBTSP, XWBAPP));

CREATE TABLE IF NOT EXISTS QV_OWK (
    XWKP_I CHAR(3) NOT NULL COLLATE RTRIM,
    XWKNAM TEXT    NOT NULL,
    XWKOWN TEXT    NOT NULL,
    PRIMARY KEY (XWKP_I, XWKNAM));

CREATE TABLE IF NOT EXISTS QV_OWX (
    XWXP_I CHAR(3) NOT NULL COLLATE RTRIM,
    XWXWAM TEXT    NOT NULL,
    XWXWRN TEXT    NOT NULL,
    XWXLNG TEXT    NOT NULL,
    XWXTSP TEXT    NOT NULL,
    XWXAPP TEXT    NOT NULL,
    XWXDOC INTEGER NOT NULL,
    PRIMARY KEY (XWXP_I, XWXWAM, XWXWRN, XWXLNG, XWXTSP, XWXAPP));

CREATE TABLE IF NOT EXISTS QV_OWT (
    XWTDOC INTEGER NOT NULL,
    XWTSEQ INTEGER NOT NULL,
    XWTTXT TEXT    NOT NULL,
    PRIMARY KEY (XWTDOC, XWTSEQ));

DELETE FROM QV_OWS;
DELETE FROM QV_OTA;
DELETE FROM QV_OLC;
DELETE FROM QV_OWD WHERE XWDP_I = 'DEM';
DELETE FROM QV_OWA WHERE XWAP_I = 'DEM';
DELETE FROM QV_OWB WHERE XWBP_I = 'DEM';
DELETE FROM QV_OWK WHERE XWKP_I = 'DEM';
DELETE FROM QV_OWX WHERE XWXP_I = 'DEM';
DELETE FROM QV_OWT;

INSERT INTO QV_OWS (XWSKEY, XWSVAL) VALUES
 ('GLOBAL.2', 'X_VELMO\TEMP'),
 ('GLOBAL.28', 'X_VELMO\WEBDESIGN\'),
 ('TSPHOME', 'X_VELMO\TSP'),
 ('IMAGESPATH', '/images/'),
 ('ACTIONREQUEST', '/cgi-bin/velmoweb');

INSERT INTO QV_OTA (XTATSP, XTAAPP, XTAXML, XTAGEN, XTADEF, XTADSC) VALUES
 ('HTML', 'DESKTOP', 'Y', 'X_VELMO\TSP\HTML\html_webroutine.xsl', 'X_VELMO\TSP\HTML\html_definition.xsl', 'Desktop browsers'),
 ('HTML', 'MOBILE', 'Y', 'X_VELMO\TSP\HTML\html_webroutine.xsl', 'X_VELMO\TSP\HTML\html_definition.xsl', 'Mobile browsers');

INSERT INTO QV_OLC (XLCLNG, XLCCCP, XLCISO, XLCDSC) VALUES
 ('ENG', 1252, 'en', 'English'),
 ('FRA', 1252, 'fr', 'French');

-- OrderWAM has its data stored without a layout weblet: the generation
-- stores its own layout name back.  CustomerWAM (of DEMOCOMP) names a
-- layout weblet that is not stored, so the TSP's default layout serves.
INSERT INTO QV_OWD (XWDP_I, XWDWAM, XWDLAY, XWDST1, XWDST2) VALUES
 ('DEM', 'OrderWAM', '', 'N', 'N'),
 ('DEM', 'CustomerWAM', 'demo_layout', 'N', 'N');

-- The standard weblets of the HTML technology service, shipped read-only:
-- std_layout (the default layout weblet), std_dropdown and std_image.
INSERT INTO QV_OWT (XWTDOC, XWTSEQ, XWTTXT) VALUES
 (1, 1, '<?xml version="1.0" encoding="UTF-8"?>
<xsl:transform version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design" xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data" exclude-result-prefixes="wd qvml">
  <wd:definition>
    <wd:default-theme>
      <wd:style name="page"/>
      <wd:style name="banner"/>
    </wd:default-theme>
  </wd:definition>
  <xsl:template name="page" wd:role="std:layout">
    <xsl:param name="title" wd:role="title" wd:type="text" wd:tip_id="LAYOUT01"/>
    <xsl:param name="content" wd:role="content"/>
    <xsl:param name="theme" select="''page''"/>
    <div class="{$theme}"><h1><xsl:value-of select="$title"/></h1><xsl:copy-of select="$content"/></div>
  </xsl:template>
  <xsl:template name="footer.override">
    <p class="footer">Web application <xsl:value-of select="/qvml:data/qvml:context/qvml:webapplication"/></p>
  </xsl:template>
</xsl:transform>
'),
 (2, 1, '<?xml version="1.0" encoding="UTF-8"?>
<xsl:transform version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design" xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data" exclude-result-prefixes="wd qvml">
  <wd:definition>
    <wd:default-theme>
      <wd:style name="page"/>
      <wd:style name="banner"/>
    </wd:default-theme>
  </wd:definition>
  <xsl:template name="page" wd:role="std:layout">
    <xsl:param name="title" wd:role="title" wd:type="text" wd:tip_id="LAYOUT01"/>
    <xsl:param name="content" wd:role="content"/>
    <xsl:param name="theme" select="''page''"/>
    <div class="{$theme}"><h1><xsl:value-of select="$title"/></h1><xsl:copy-of select="$content"/></div>
  </xsl:template>
  <xsl:template name="footer.override">
    <p class="footer">Web application <xsl:value-of select="/qvml:data/qvml:context/qvml:webapplication"/></p>
  </xsl:template>
</xsl:transform>
'),
 (3, 1, '<?xml version="1.0" encoding="UTF-8"?>
<xsl:transform version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design" xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data" exclude-result-prefixes="wd qvml">
  <xsl:import href="std_types.xsl"/>
  <xsl:template name="inline">
    <xsl:param name="name" wd:role="name" wd:proxy-format="select"/>
    <xsl:param name="list" wd:role="select-one"/>
    <select name="{$name}" class="{$std_select_class}">
      <xsl:for-each select="/qvml:data/qvml:select-one[@id = $list]/qvml:item">
        <option value="{qvml:value}"><xsl:value-of select="qvml:caption"/></option>
      </xsl:for-each>
    </select>
  </xsl:template>
</xsl:transform>
'),
 (4, 1, '<?xml version="1.0" encoding="UTF-8"?>
<xsl:transform version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design" xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data" exclude-result-prefixes="wd qvml">
  <xsl:import href="std_types.xsl"/>
  <xsl:template name="inline">
    <xsl:param name="name" wd:role="name" wd:proxy-format="select"/>
    <xsl:param name="list" wd:role="select-one"/>
    <select name="{$name}" class="{$std_select_class}">
      <xsl:for-each select="/qvml:data/qvml:select-one[@id = $list]/qvml:item">
        <option value="{qvml:value}"><xsl:value-of select="qvml:caption"/></option>
      </xsl:for-each>
    </select>
  </xsl:template>
</xsl:transform>
'),
 (5, 1, '<?xml version="1.0" encoding="UTF-8"?>
<xsl:transform version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design" exclude-result-prefixes="wd">
  <xsl:import href="std_types.xsl"/>
  <xsl:template name="inline">
    <xsl:param name="name" wd:role="name" wd:proxy-format="image"/>
    <xsl:param name="alt" wd:role="caption"/>
    <img class="{$std_image_class}" src="{wd:images-path()}{wd:column-value($name)}.png" alt="{$alt}"/>
  </xsl:template>
</xsl:transform>
'),
 (6, 1, '<?xml version="1.0" encoding="UTF-8"?>
<xsl:transform version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design" exclude-result-prefixes="wd">
  <xsl:import href="std_types.xsl"/>
  <xsl:template name="inline">
    <xsl:param name="name" wd:role="name" wd:proxy-format="image"/>
    <xsl:param name="alt" wd:role="caption"/>
    <img class="{$std_image_class}" src="{wd:images-path()}{wd:column-value($name)}.png" alt="{$alt}"/>
  </xsl:template>
</xsl:transform>
');

INSERT INTO QV_OWB (XWBP_I, XWBNAM, XWBLNG, XWBTSP, XWBAPP, XWBDSC, XWBDOC, XWBMDT, XWBMTM, XWBRDO) VALUES
 ('DEM', 'std_layout', 'ENG', 'HTML', 'DESKTOP', 'Standard page layout', 1, 20260101, 120000000, 'Y'),
 ('DEM', 'std_layout', 'ENG', 'HTML', 'MOBILE', 'Standard page layout', 2, 20260101, 120000000, 'Y'),
 ('DEM', 'std_dropdown', 'ENG', 'HTML', 'DESKTOP', 'Drop-down list', 3, 20260101, 120000000, 'Y'),
 ('DEM', 'std_dropdown', 'ENG', 'HTML', 'MOBILE', 'Drop-down list', 4, 20260101, 120000000, 'Y'),
 ('DEM', 'std_image', 'ENG', 'HTML', 'DESKTOP', 'Image', 5, 20260101, 120000000, 'Y'),
 ('DEM', 'std_image', 'ENG', 'HTML', 'MOBILE', 'Image', 6, 20260101, 120000000, 'Y');

-- The sample component DEMOWEB (its web routines are defined in the WAM
-- tables) with the Web Application Module OrderWAM
-- (inline option Lists): ShowOrder (STANDARD: the order's fields, a
-- drop-down of customers and the order lines with an inlined image
-- weblet), OrderJson (JSON, not generated) and ListOrders (STANDARD with a
-- JSON list).
DELETE FROM QV_OCS WHERE XCSP_I = 'DEM' AND XCSCMP = 'DEMOWEB';
DELETE FROM QV_OWM WHERE XWMP_I = 'DEM' AND XWMCMP = 'DEMOWEB';
DELETE FROM QV_OWR WHERE XWRP_I = 'DEM' AND XWRCMP = 'DEMOWEB';
DELETE FROM QV_OWF WHERE XWFP_I = 'DEM' AND XWFCMP = 'DEMOWEB';
DELETE FROM QV_OWP WHERE XWPP_I = 'DEM' AND XWPCMP = 'DEMOWEB';

INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES
 ('DEM', 'DEMOWEB', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_WAM)'),
 ('DEM', 'DEMOWEB', 2, 'END_COM');

INSERT INTO QV_OWM (XWMP_I, XWMCMP, XWMSEQ, XWMNAM, XWMINL, XWMNUM, XWMLAY) VALUES
 ('DEM', 'DEMOWEB', 1, 'OrderWAM', 1, 0, NULL);

INSERT INTO QV_OWR (XWRP_I, XWRCMP, XWRWAM, XWRSEQ, XWRNAM, XWRDES, XWRSRV, XWRRSP) VALUES
 ('DEM', 'DEMOWEB', 'OrderWAM', 1, 'ShowOrder', 'Show one order', 'ShowOrderService', 3),
 ('DEM', 'DEMOWEB', 'OrderWAM', 2, 'OrderJson', 'One order as JSON', 'OrderJsonService', 2),
 ('DEM', 'DEMOWEB', 'OrderWAM', 3, 'ListOrders', 'List the orders', 'ListOrdersService', 3);

INSERT INTO QV_OWF (XWFP_I, XWFCMP, XWFWAM, XWFWRN, XWFSEQ, XWFKND, XWFNAM, XWFLEN, XWFDIG, XWFFRC, XWFDEC,
                    XWFTYP, XWFKSH, XWFMOD, XWFCAP, XWFUSE, XWFPER, XWFINP, XWFATR, XWFINL, XWFFMT, XWFWBL,
                    XWFDSC, XWFLAB, XWFHD1, XWFHD2, XWFHD3, XWFSMP) VALUES
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 1, 'F', 'ORDNO', 7, 7, 0, '.', 'P', ' ', 2, 1, 3, 0, 0, 0,
  0, 0, NULL, 'Order number', 'Order', 'Order', 'number', NULL, '1001'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 2, 'F', 'CUSTNAM', 40, 0, 0, '.', 'A', ' ', 1, 1, 3, 0, 0, 1,
  0, 0, 'std_dropdown', 'Customer name', 'Customer', 'Customer', 'name', NULL, NULL),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 3, 'F', 'ORDDATE', 10, 0, 0, '.', 'E', ' ', 3, 1, 2, 0, 0, 0,
  0, 0, NULL, 'Order date', 'Date', 'Order', 'date', NULL, '2026-12-06'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 4, 'F', 'NOTES', 80, 0, 0, '.', 'A', ' ', 1, 1, 1, 0, 0, 0,
  0, 0, NULL, 'Notes', 'Notes', 'Notes', NULL, NULL, NULL),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 5, 'L', 'LINES', 0, 0, 0, '.', 'A', ' ', 2, 0, 2, 0, 0, 0,
  0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 6, 'C', 'LINENO', 2, 0, 0, '.', 'I', ' ', 2, 3, 2, 0, 0, 0,
  0, 0, NULL, 'Line number', 'Line', 'Line', NULL, NULL, '1'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 7, 'C', 'ITEM', 20, 0, 0, '.', 'A', ' ', 2, 3, 2, 0, 0, 0,
  0, 0, NULL, 'Item', 'Item', 'Item', NULL, NULL, 'Bolt M8'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 8, 'C', 'PHOTO', 30, 0, 0, '.', 'A', ' ', 2, 3, 2, 0, 0, 0,
  0, 0, 'std_image', 'Photo', 'Photo', 'Photo', NULL, NULL, 'bolt-m8'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 9, 'C', 'PRICE', 9, 9, 2, '.', 'P', ' ', 2, 3, 2, 0, 0, 0,
  0, 0, NULL, 'Unit price', 'Price', 'Unit', 'price', NULL, '12.50'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 10, 'E', 'LINES', 0, 0, 0, '.', 'A', ' ', 2, 0, 2, 0, 0, 0,
  0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'OrderJson', 1, 'F', 'ORDNO', 7, 7, 0, '.', 'P', ' ', 2, 0, 2, 0, 0, 0,
  0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ListOrders', 1, 'F', 'TOTAL', 11, 11, 2, ',', 'S', ' ', 2, 3, 2, 0, 0, 32,
  0, 0, NULL, 'Total of the orders', 'Total', 'Order', 'total', NULL, '2500,00'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ListOrders', 2, 'L', 'ORDERS', 0, 0, 0, '.', 'A', ' ', 2, 0, 2, 0, 0, 0,
  0, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ListOrders', 3, 'C', 'ORDNO', 7, 7, 0, '.', 'P', ' ', 2, 3, 2, 0, 0, 0,
  0, 0, NULL, 'Order number', 'Order', 'Order', 'number', NULL, '1001'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ListOrders', 4, 'C', 'CUSTNAM', 40, 0, 0, '.', 'A', ' ', 2, 3, 2, 0, 0, 0,
  0, 0, NULL, 'Customer name', 'Customer', 'Customer', 'name', NULL, 'Smith & Sons'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ListOrders', 5, 'E', 'ORDERS', 0, 0, 0, '.', 'A', ' ', 2, 0, 2, 0, 0, 0,
  0, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL);

INSERT INTO QV_OWP (XWPP_I, XWPCMP, XWPWAM, XWPWRN, XWPFLD, XWPSEQ, XWPCAP, XWPVAL) VALUES
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 'CUSTNAM', 1, 'Smith & Sons', 'SMITH'),
 ('DEM', 'DEMOWEB', 'OrderWAM', 'ShowOrder', 'CUSTNAM', 2, 'Jones Ltd', 'JONES');
