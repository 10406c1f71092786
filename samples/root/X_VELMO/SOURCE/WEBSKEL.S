<!DOCTYPE html>
<!-- Page %PANEL               of process %PR        function %FU     made %STAMP         -->
<html>
<head>
<meta charset="iso-8859-1">
<title>%FUDS                                   </title>
<style>
body  { font-family: sans-serif; }
table { border-collapse: collapse; }
td    { padding: 2px 8px; vertical-align: top; }
h3    { margin: 0; font-size: 1em; font-weight: normal; }
</style>
<script>
function SetNameLocation(name, row, column) { window.status = name + " " + row + "," + column; }
function isValidNumeric(field, digits, decimals, point) { return true; }
function isValidDBCS(field, shift, length) { return true; }
</script>
</head>
<body>
%W3TTL
%W3FRM
<input type="hidden" name="_PANEL" value="%SEQ">
<table id="fields">
%W3FLD
</table>
%W3BRW
<input type="submit" name="_ENTER" value="Enter">
</form>
</body>
</html>
