<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE xsl:stylesheet [<!ENTITY dash "&#8212;">]>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>
  <xsl:template match="/root">
    <html><body><p><xsl:value-of select="@date_created"/></p>
      <xsl:for-each select="files/row"><p>&dash;<xsl:value-of select="@fileName"/> <xsl:value-of select="@sample"/></p></xsl:for-each>
      <xsl:for-each select="calibration/row"><p><xsl:value-of select="concat(@name, '=', @k1)"/></p></xsl:for-each>
      <xsl:apply-templates select="calculation/row"/>
    </body></html>
  </xsl:template>
  <xsl:template match="row"><xsl:if test="@status"><i><xsl:value-of select="@concent"/></i></xsl:if></xsl:template>
</xsl:stylesheet>
