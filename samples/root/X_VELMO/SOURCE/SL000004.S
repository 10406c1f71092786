using System.Reflection;
using System.Runtime.InteropServices;

[assembly: AssemblyTitle("%1631 ")]
[assembly: AssemblyDescription("VELMO generated function of process %5          ")]
[assembly: ComVisible(false)]
[assembly: Guid("%161 ")]
[assembly: AssemblyVersion("1.0.0.0")]
