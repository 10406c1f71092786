<?xml version="1.0" encoding="UTF-8"?>
<!--
  Generation stylesheet of the HTML technology service: turns the
  generation metadata (TSML) of a web routine into the web routine's XSL.
  Run-time values are written as weblet-design calls ({wd:...}), which the
  generator keeps as they are; list columns shown by a weblet are inlined
  through wd:inline-weblet, with the column's select-one list (if it has
  one) as runtime data.  The generated stylesheet imports the WAM's
  layout weblet and defines the run-time weblet-design functions over the
  runtime data (QVML) as EXSLT functions.
-->
<xsl:transform version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:axsl="urn:velmo:generated-xsl"
    xmlns:tsml="http://schemas.velmo.example/2002/XML/Generation-Metadata"
    xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data"
    xmlns:wd="http://schemas.velmo.example/2002/XSL/Weblet-Design"
    xmlns:func="http://exslt.org/functions"
    exclude-result-prefixes="tsml">

  <xsl:namespace-alias stylesheet-prefix="axsl" result-prefix="xsl"/>
  <xsl:output method="xml" encoding="UTF-8" indent="no"/>

  <xsl:template match="/">
    <axsl:transform version="1.0" extension-element-prefixes="func" exclude-result-prefixes="qvml wd func">
      <axsl:import href="{tsml:data/tsml:context/tsml:layout-name}.xsl"/>
      <axsl:output method="xml" encoding="UTF-8" indent="no" omit-xml-declaration="yes"/>
      <xsl:call-template name="runtime-functions"/>
      <axsl:template match="/">
        <axsl:call-template name="layout_page">
          <axsl:with-param name="content">
            <form method="post" action="{wd:action-request()}">
              <input type="hidden" name="webroutine" value="{wd:webroutine()}"/>
              <xsl:apply-templates select="tsml:data/tsml:fields/tsml:field"/>
              <xsl:apply-templates select="tsml:data/tsml:lists/*"/>
            </form>
          </axsl:with-param>
        </axsl:call-template>
      </axsl:template>
    </axsl:transform>
  </xsl:template>

  <xsl:template match="tsml:field">
    <div class="field">
      <label for="{@name}"><xsl:value-of select="tsml:caption/tsml:label"/></label>
      <xsl:choose>
        <xsl:when test="tsml:use-weblet/tsml:select-one-id">
          <select name="{@name}">
            <axsl:for-each select="/qvml:data/qvml:select-one[@id = '{tsml:use-weblet/tsml:select-one-id}']/qvml:item">
              <option value="{{qvml:value}}"><axsl:value-of select="qvml:caption"/></option>
            </axsl:for-each>
          </select>
        </xsl:when>
        <xsl:when test="tsml:mode = 'input' or tsml:mode = 'both'">
          <input type="text" name="{@name}" maxlength="{tsml:format/tsml:max-length}"
                 value="{wd:field-value(string(@name))}"/>
        </xsl:when>
        <xsl:when test="tsml:mode = 'hidden'">
          <input type="hidden" name="{@name}" value="{wd:field-value(string(@name))}"/>
        </xsl:when>
        <xsl:otherwise>
          <span class="output" id="{@name}"><axsl:value-of select="wd:field-value('{@name}')"/></span>
        </xsl:otherwise>
      </xsl:choose>
    </div>
  </xsl:template>

  <xsl:template match="tsml:list">
    <table class="list" id="{@name}">
      <tr>
        <xsl:for-each select="tsml:list-header/tsml:header">
          <th><xsl:value-of select="tsml:heading-1"/></th>
        </xsl:for-each>
      </tr>
      <axsl:for-each select="/qvml:data/qvml:lists/qvml:list[@name = '{@name}']/qvml:entries/qvml:entry">
        <tr>
          <xsl:for-each select="tsml:list-entries/tsml:entry/tsml:column">
            <td>
              <xsl:choose>
                <xsl:when test="tsml:use-weblet and ../../../@inline != 'false'">
                  <xsl:copy-of select="wd:inline-weblet(., /tsml:data/tsml:weblets/tsml:weblet[@name = current()/tsml:use-weblet/@name], /tsml:data/tsml:qvml-data/qvml:select-one[@id = current()/tsml:use-weblet/tsml:select-one-id])"/>
                </xsl:when>
                <xsl:otherwise>
                  <axsl:value-of select="wd:column-value('{@name}')"/>
                </xsl:otherwise>
              </xsl:choose>
            </td>
          </xsl:for-each>
        </tr>
      </axsl:for-each>
    </table>
  </xsl:template>

  <xsl:template match="tsml:json-list">
    <script type="application/json" id="{@name}"><xsl:value-of select="."/></script>
  </xsl:template>

  <!-- The weblet-design functions of the generated stylesheet, answered
       from the runtime data. -->
  <xsl:template name="runtime-functions">
    <func:function name="wd:field-value">
      <axsl:param name="name"/>
      <func:result select="string(/qvml:data/qvml:fields/qvml:field[@name = $name]/qvml:value)"/>
    </func:function>
    <func:function name="wd:column-value">
      <axsl:param name="name"/>
      <func:result select="string(ancestor-or-self::qvml:entry/qvml:column[@name = $name])"/>
    </func:function>
    <xsl:for-each select="tsml:data/tsml:context/*[not(self::tsml:weblet)]">
      <func:function name="wd:{local-name()}">
        <func:result select="string(/qvml:data/qvml:context/qvml:{local-name()})"/>
      </func:function>
    </xsl:for-each>
  </xsl:template>
</xsl:transform>
