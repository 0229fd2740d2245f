Option Explicit
Dim s: s = "a""b" ' c
label1:
If x > 10.5e3 Then tag.Write &H1F
Rem end
