Microsoft Visual Studio Solution File, Format Version 11.00
Project("{%162 }") = "%1631 ", "%62 .csproj", "{%161 }"
EndProject
Global
	GlobalSection(ProjectConfigurationPlatforms) = postSolution
		{%161 }.Release|Any CPU.ActiveCfg = Release|Any CPU
	EndGlobalSection
EndGlobal
