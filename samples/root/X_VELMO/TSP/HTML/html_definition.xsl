<?xml version="1.0" encoding="UTF-8"?>
<!--
  Definition of the HTML technology service: names its default layout
  weblet, and as a stylesheet turns a WAM's layout document (TSML) into the
  WAM's layout weblet: the page frame ("layout_page") with the theme of the
  inspected model weblet and its override templates.
-->
<xsl:transform version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:axsl="urn:velmo:generated-xsl"
    xmlns:tsml="http://schemas.velmo.example/2002/XML/Generation-Metadata"
    xmlns:qvml="http://schemas.velmo.example/2002/XML/Runtime-Data"
    exclude-result-prefixes="tsml">

  <tsml:definition>
    <tsml:default-layout-weblet>std_layout</tsml:default-layout-weblet>
  </tsml:definition>

  <xsl:namespace-alias stylesheet-prefix="axsl" result-prefix="xsl"/>
  <xsl:output method="xml" encoding="UTF-8" indent="no"/>

  <xsl:template match="/">
    <xsl:variable name="service"
        select="(tsml:data/tsml:layout/tsml:technology-services/tsml:technology-service[starts-with(@name, 'HTML:')])[1]"/>
    <axsl:transform version="1.0" exclude-result-prefixes="qvml">
      <axsl:template name="layout_page">
        <axsl:param name="content"/>
        <html>
          <head>
            <title><xsl:value-of select="tsml:data/tsml:context/tsml:weblet/tsml:title"/></title>
          </head>
          <body class="{$service/tsml:default-theme/tsml:style[1]/@name}">
            <h1><axsl:value-of select="/qvml:data/qvml:context/qvml:webroutine-title"/></h1>
            <axsl:copy-of select="$content"/>
            <xsl:if test="$service/tsml:template-overrides/xsl:template[@name = 'footer.override']">
              <axsl:call-template name="footer.override"/>
            </xsl:if>
          </body>
        </html>
      </axsl:template>
      <xsl:copy-of select="$service/tsml:template-overrides/xsl:template"/>
    </axsl:transform>
  </xsl:template>
</xsl:transform>
