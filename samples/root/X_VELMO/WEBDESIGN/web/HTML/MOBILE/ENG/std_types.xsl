<?xml version="1.0" encoding="UTF-8"?>
<!-- Shared values of the standard weblets of the HTML technology service. -->
<xsl:transform version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:variable name="std_image_class" select="'thumbnail'"/>
  <xsl:variable name="std_select_class" select="'choice'"/>
</xsl:transform>
