var gmInformer = 1;
document.write("<font size=1 color='#000080'><b>Санкт-Петербург</b></font>&nbsp;<font size=1><b>сегодня</b> +2..+4&#176;, ветер З 5 м/с</font>

<font size=1><b>завтра</b> 0..+2&#176;, дождь</font><font size=1>давление 758 мм</b></font>");
document.write("<font size=1><b>GISMETEO.RU</b></font>");
