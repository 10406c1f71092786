<?xml version="1.0" encoding="UTF-8"?>
<!--
  Inlining of one weblet into a list column: turns the inliner's document
  (the column, the weblet, the run-time context) into a weblet stylesheet
  that imports the weblet from the generation directory ($g_import_path)
  and calls its "inline" template for the column, with the id of the
  column's select-one list (whose entries the runtime data holds); the
  children of its result's root are the inlined nodes.  The technology service's own
  stylesheet is imported (its path is set by the generator).
-->
<xsl:transform version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:axsl="urn:velmo:generated-xsl"
    xmlns:tsml="http://schemas.velmo.example/2002/XML/Generation-Metadata"
    xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data"
    xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design"
    exclude-result-prefixes="tsml">

  <xsl:import href="HTML/html_webroutine.xsl" wd:tsp-stylesheet="yes"/>
  <xsl:namespace-alias stylesheet-prefix="axsl" result-prefix="xsl"/>
  <xsl:output method="xml" encoding="UTF-8" indent="no"/>
  <xsl:param name="g_import_path"/>

  <xsl:template match="/">
    <xsl:variable name="weblet" select="tsml:data/tsml:weblets/tsml:weblet[1]"/>
    <xsl:variable name="column" select="tsml:data/tsml:lists/tsml:list/tsml:list-entries/tsml:entry/tsml:column[1]"/>
    <axsl:transform version="1.0" exclude-result-prefixes="qvml wd">
      <axsl:import href="{$g_import_path}{substring-before(concat($weblet/@name, '.'), '.')}.xsl"/>
      <axsl:template match="/">
        <inline-result>
          <axsl:for-each select="/qvml:data/qvml:lists/qvml:list/qvml:entries/qvml:entry[1]">
            <axsl:call-template name="inline">
              <axsl:with-param name="name" select="'{$column/@name}'"/>
              <axsl:with-param name="alt" select="'{$column/@name}'"/>
              <axsl:with-param name="list" select="'{$column/tsml:use-weblet/tsml:select-one-id}'"/>
            </axsl:call-template>
          </axsl:for-each>
        </inline-result>
      </axsl:template>
    </axsl:transform>
  </xsl:template>
</xsl:transform>
