<?xml version="1.0" encoding="ISO-8859-1"?>
<PAGE NAME="%PANEL              "
      PROCESS="%PR       "
      FUNCTION="%FU    "
      TYPE="%PTYPE" 
      STAMP="%STAMP        "
%W3TTL
      >
   <FORMAT>
      <FIELDS>
%W3FLD
%W3BRW
      </FIELDS>
%BRWXSL
   </FORMAT>
   <VALUES>
      <FIELDS>
%FLDDTA
            <FIELD NAME="_DECPOINT">%DP
            <FIELD NAME="_DATESEP">%DS
            <FIELD NAME="_DATEFMT">%DF
      </FIELDS>
%BRWDTA
   </VALUES>
   <SUBMIT ACTION="/<ZOPH MERGE="&CGI">/VELMOWEB?%SBM
</PAGE>
