<?xml version="1.0" encoding="utf-8"?>
<asmv1:assembly manifestVersion="1.0" xmlns:asmv1="urn:schemas-microsoft-com:asm.v1">
  <assemblyIdentity version="1.0.0.0" name="%1631 .app" />
  <description>Generated for partition %94 (%164  generated code)</description>
</asmv1:assembly>
