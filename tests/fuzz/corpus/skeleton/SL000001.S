// =================================================================
//  VELMO generated class of function %2
//  Process   : %5
// =================================================================
using System;
using Velmo.Runtime;

namespace Velmo.Generated.%163
{
   public partial class %163  : X_Function
   {
      public const string X_PROCESS_NAME = "%5          ";
      public const string X_GENERATED_AT = %65;

      public override void Run( X_FunctionParms parms )
      {
%50
%90
%1
%55
%56
      }
