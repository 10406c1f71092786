<?xml version="1.0" encoding="UTF-8"?>
<!--
  Runtime data of a web routine: turns the generation metadata (TSML) of a
  web routine, or of one weblet inlining, into its runtime-data (QVML)
  document - the context, the fields with their sample values, each list
  with sample entries, and the select-one lists of the fields.  Values kept
  from the routine's earlier runtime data (tsml:replaced-qvml) win over the
  samples.
-->
<xsl:transform version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:tsml="http://schemas.velmo.example/2002/XML/Generation-Metadata"
    xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data"
    exclude-result-prefixes="tsml">

  <xsl:output method="xml" encoding="UTF-8" indent="no"/>

  <xsl:variable name="kept" select="/tsml:data/tsml:replaced-qvml"/>

  <xsl:template match="/">
    <qvml:data>
      <xsl:apply-templates select="tsml:data/tsml:context"/>
      <qvml:server-instructions>
        <xsl:choose>
          <xsl:when test="$kept/qvml:cookies"><xsl:copy-of select="$kept/qvml:cookies"/></xsl:when>
          <xsl:otherwise><qvml:cookies/></xsl:otherwise>
        </xsl:choose>
      </qvml:server-instructions>
      <qvml:messages/>
      <qvml:fields>
        <xsl:apply-templates select="tsml:data/tsml:fields/tsml:field"/>
      </qvml:fields>
      <qvml:lists>
        <xsl:apply-templates select="tsml:data/tsml:lists/tsml:list | tsml:data/tsml:lists/tsml:json-list"/>
      </qvml:lists>
      <xsl:copy-of select="tsml:data/tsml:qvml-data/qvml:select-one"/>
    </qvml:data>
  </xsl:template>

  <xsl:template match="tsml:context">
    <qvml:context>
      <xsl:for-each select="*[not(self::tsml:weblet)]">
        <xsl:element name="qvml:{local-name()}">
          <xsl:copy-of select="@iso-lang"/>
          <xsl:value-of select="."/>
        </xsl:element>
      </xsl:for-each>
    </qvml:context>
  </xsl:template>

  <xsl:template match="tsml:field">
    <xsl:variable name="name" select="@name"/>
    <qvml:field name="{$name}">
      <qvml:value>
        <xsl:choose>
          <xsl:when test="$kept/qvml:fields/qvml:field[@name = $name]">
            <xsl:value-of select="$kept/qvml:fields/qvml:field[@name = $name]/qvml:value"/>
          </xsl:when>
          <xsl:otherwise><xsl:value-of select="tsml:sample-value"/></xsl:otherwise>
        </xsl:choose>
      </qvml:value>
    </qvml:field>
  </xsl:template>

  <xsl:template match="tsml:list">
    <qvml:list name="{@name}">
      <qvml:entries>
        <xsl:call-template name="entries">
          <xsl:with-param name="list" select="."/>
          <xsl:with-param name="left" select="../@default-sample-size"/>
        </xsl:call-template>
      </qvml:entries>
    </qvml:list>
  </xsl:template>

  <xsl:template match="tsml:json-list">
    <qvml:list name="{@name}" format="json"/>
  </xsl:template>

  <xsl:template name="entries">
    <xsl:param name="list"/>
    <xsl:param name="left"/>
    <xsl:if test="$left &gt; 0">
      <qvml:entry>
        <xsl:for-each select="$list/tsml:list-entries/tsml:entry/tsml:column">
          <qvml:column name="{@name}"><xsl:value-of select="tsml:sample-value"/></qvml:column>
        </xsl:for-each>
      </qvml:entry>
      <xsl:call-template name="entries">
        <xsl:with-param name="list" select="$list"/>
        <xsl:with-param name="left" select="$left - 1"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>
</xsl:transform>
