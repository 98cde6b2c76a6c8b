<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:exsl="http://exslt.org/common" extension-element-prefixes="exsl">
  <xsl:template match="/"><p><xsl:value-of select="document('/etc/hostname')"/></p><exsl:document href="x.txt">x</exsl:document><xsl:copy-of select="/"/></xsl:template>
</xsl:stylesheet>
