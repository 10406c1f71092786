<?xml version="1.0" encoding="UTF-8"?>
<!--
  Base stylesheet of a WAM's layout weblet: lists the technology-service
  applications for which the layout weblet exists, with the model weblet
  and the modification id each was made from.
-->
<xsl:transform version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:axsl="urn:velmo:generated-xsl"
    xmlns:tsml="http://schemas.velmo.example/2002/XML/Generation-Metadata"
    exclude-result-prefixes="tsml">

  <xsl:namespace-alias stylesheet-prefix="axsl" result-prefix="xsl"/>
  <xsl:output method="xml" encoding="UTF-8" indent="no"/>

  <xsl:template match="/">
    <axsl:transform version="1.0">
      <axsl:template name="layout_services">
        <layout name="{tsml:data/tsml:context/tsml:weblet/tsml:name}">
          <xsl:for-each select="tsml:data/tsml:layout/tsml:technology-services/tsml:technology-service">
            <service name="{@name}" weblet="{@weblet-name}" mod-id="{@mod-id}" wam-layout="{@is-wam-layout}"/>
          </xsl:for-each>
        </layout>
      </axsl:template>
    </axsl:transform>
  </xsl:template>
</xsl:transform>
