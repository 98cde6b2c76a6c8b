<?xml version="1.0" encoding="UTF-8"?>
<!--
  Dvinar calculation report. Turns the report document (root with files, calibration,
  calculation and messages, every value an attribute) into one self-contained HTML page:
  inline styles, no scripts, no external resources, laid out for the screen and for A4 paper.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="yes" doctype-system="about:legacy-compat"/>

  <xsl:template match="/">
    <html lang="ru">
      <head>
        <meta name="viewport" content="width=device-width, initial-scale=1"/>
        <title>Отчёт о расчёте концентраций — Dvinar</title>
        <style>
          @page { size: A4 portrait; margin: 15mm 12mm 15mm 15mm; }
          * { box-sizing: border-box; }
          body { margin: 0; background: #eef0f3; color: #1c1f24;
                 font: 10.5pt/1.4 "Liberation Sans", "DejaVu Sans", Arial, sans-serif; }
          .page { max-width: 190mm; margin: 12px auto; padding: 14mm 12mm; background: #fff;
                  box-shadow: 0 1px 4px rgba(0,0,0,.18); }
          header { border-bottom: 2px solid #2b4a6f; padding-bottom: 6px; margin-bottom: 10px; }
          h1 { font-size: 16pt; margin: 0 0 4px; color: #2b4a6f; }
          .meta { display: flex; flex-wrap: wrap; gap: 4px 24px; font-size: 9.5pt; color: #444; }
          .meta b { color: #1c1f24; font-weight: 600; }
          h2 { font-size: 12pt; margin: 16px 0 6px; color: #2b4a6f;
               border-bottom: 1px solid #c9d3df; padding-bottom: 2px; }
          table { width: 100%; border-collapse: collapse; font-size: 9.5pt; }
          thead { display: table-header-group; }
          tr { page-break-inside: avoid; break-inside: avoid; }
          th { background: #e4eaf1; text-align: left; font-weight: 600; }
          th, td { border: 1px solid #b8c2cf; padding: 3px 6px; vertical-align: top; }
          tbody tr:nth-child(even) td { background: #f7f9fb; }
          td.num, th.num { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
          td.center, th.center { text-align: center; }
          td.file { overflow-wrap: break-word; }
          td.date { white-space: normal; text-align: left; }
          .ok { color: #1d6b2f; font-weight: 600; }
          .no { color: #8a4b00; }
          .empty { color: #666; font-style: italic; margin: 4px 0; }
          .unit { font-weight: normal; color: #555; }
          ul.messages { margin: 0; padding-left: 18px; }
          ul.messages li { margin: 2px 0; }
          li.error { color: #a11a1a; }
          li.warning { color: #7a4d00; }
          .none { color: #1d6b2f; }
          footer { margin-top: 28px; display: flex; gap: 32px; page-break-inside: avoid; break-inside: avoid; }
          .sign { flex: 1; font-size: 9.5pt; }
          .sign .line { border-bottom: 1px solid #1c1f24; height: 22px; margin-bottom: 2px; }
          .sign .hint { color: #666; font-size: 8pt; }
          @media print {
            body { background: #fff; font-size: 10pt; }
            .page { max-width: none; margin: 0; padding: 0; box-shadow: none; }
            h2 { page-break-after: avoid; break-after: avoid; }
            th { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
          }
        </style>
      </head>
      <body>
        <div class="page">
          <xsl:apply-templates select="root"/>
        </div>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="root">
    <header>
      <h1>Отчёт о градуировке и расчёте концентраций</h1>
      <div class="meta">
        <span>Дата создания: <b><xsl:value-of select="@date_created"/></b></span>
        <span>Программа: <b>Dvinar, версия<xsl:value-of select="@prog_version"/></b></span>
      </div>
    </header>

    <h2>1. Хроматограммы</h2>
    <xsl:choose>
      <xsl:when test="files/row">
        <table class="files">
          <thead>
            <tr>
              <th class="num">№</th><th>Файл</th><th>Проба</th><th>Дата</th><th>Тип</th><th>Смесь</th>
            </tr>
          </thead>
          <tbody><xsl:apply-templates select="files/row"/></tbody>
        </table>
      </xsl:when>
      <xsl:otherwise><p class="empty">Хроматограммы не загружены.</p></xsl:otherwise>
    </xsl:choose>

    <h2>2. Градуировочные коэффициенты</h2>
    <xsl:choose>
      <xsl:when test="calibration/row">
        <table>
          <thead>
            <tr>
              <th class="num">№</th><th>Компонент</th><th class="center">Основной канал</th>
              <th class="num">k0</th><th class="num">k1</th><th class="num">Точек</th>
            </tr>
          </thead>
          <tbody><xsl:apply-templates select="calibration/row"/></tbody>
        </table>
        <p class="empty">Градуировочная зависимость: C = k1 · S + k0, где S — площадь пика.</p>
      </xsl:when>
      <xsl:otherwise><p class="empty">Нет градуировочных данных.</p></xsl:otherwise>
    </xsl:choose>

    <h2>3. Результаты расчёта</h2>
    <xsl:choose>
      <xsl:when test="calculation/row">
        <table>
          <thead>
            <tr>
              <th class="num">№</th><th>Компонент</th><th>Статус</th>
              <th class="num">Концентрация, <span class="unit">мг/дм3</span></th>
            </tr>
          </thead>
          <tbody><xsl:apply-templates select="calculation/row"/></tbody>
        </table>
      </xsl:when>
      <xsl:otherwise><p class="empty">Концентрации не рассчитаны.</p></xsl:otherwise>
    </xsl:choose>

    <h2>4. Сообщения</h2>
    <xsl:choose>
      <xsl:when test="messages/row">
        <ul class="messages"><xsl:apply-templates select="messages/row"/></ul>
      </xsl:when>
      <xsl:otherwise><p class="none">Сообщений нет.</p></xsl:otherwise>
    </xsl:choose>

    <footer>
      <div class="sign"><div class="line"></div>Расчёт выполнил<div class="hint">должность, подпись, Ф. И. О.</div></div>
      <div class="sign"><div class="line"></div>Проверил<div class="hint">должность, подпись, Ф. И. О.</div></div>
      <div class="sign"><div class="line"></div>Дата</div>
    </footer>
  </xsl:template>

  <xsl:template match="files/row">
    <tr>
      <td class="num"><xsl:value-of select="@number"/></td>
      <td class="file"><xsl:value-of select="@fileName"/></td>
      <td><xsl:value-of select="@sample"/></td>
      <td class="date"><xsl:value-of select="@date"/></td>
      <td><xsl:value-of select="@type"/></td>
      <td><xsl:value-of select="@mixture"/></td>
    </tr>
  </xsl:template>

  <xsl:template match="calibration/row">
    <tr>
      <td class="num"><xsl:value-of select="@number"/></td>
      <td><xsl:value-of select="@name"/></td>
      <td class="center"><xsl:value-of select="@mainChannel"/></td>
      <td class="num"><xsl:value-of select="@k0"/></td>
      <td class="num"><xsl:value-of select="@k1"/></td>
      <td class="num"><xsl:value-of select="@nPoints"/></td>
    </tr>
  </xsl:template>

  <xsl:template match="calculation/row">
    <tr>
      <td class="num"><xsl:value-of select="@number"/></td>
      <td><xsl:value-of select="@name"/></td>
      <td>
        <span>
          <xsl:attribute name="class">
            <xsl:choose>
              <xsl:when test="@status = 'Идентифицирован'">ok</xsl:when>
              <xsl:otherwise>no</xsl:otherwise>
            </xsl:choose>
          </xsl:attribute>
          <xsl:value-of select="@status"/>
        </span>
      </td>
      <td class="num"><xsl:value-of select="@concent"/></td>
    </tr>
  </xsl:template>

  <xsl:template match="messages/row">
    <li>
      <xsl:attribute name="class">
        <xsl:choose>
          <xsl:when test="starts-with(@msg_str, 'Ошибка')">error</xsl:when>
          <xsl:when test="starts-with(@msg_str, 'Предупреждение')">warning</xsl:when>
          <xsl:otherwise>info</xsl:otherwise>
        </xsl:choose>
      </xsl:attribute>
      <xsl:value-of select="@msg_str"/>
    </li>
  </xsl:template>
</xsl:stylesheet>
