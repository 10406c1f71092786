<?xml version="1.0" encoding="utf-8"?>
<Project ToolsVersion="4.0" DefaultTargets="Build" xmlns="http://schemas.microsoft.com/developer/msbuild/2003">
  <PropertyGroup>
    <OutputType>Library</OutputType>
    <ProjectGuid>{%161 }</ProjectGuid>
    <RootNamespace>VELMO.%1631 </RootNamespace>
    <AssemblyName>%1631 </AssemblyName>
  </PropertyGroup>
  <ItemGroup>
    <Compile Include="%62 .cs" />
    <Compile Include="%62 DDC.cs" />
    <Compile Include="%62 STG.cs" />
    <Compile Include="%62 Incl.cs" />
    <Compile Include="%62 TXT.cs" />
    <Compile Include="Properties\AssemblyInfo.cs" />
  </ItemGroup>
%165
  <Import Project="$(MSBuildToolsPath)\Microsoft.CSharp.targets" />
</Project>
