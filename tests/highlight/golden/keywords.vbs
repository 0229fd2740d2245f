Dim x
dim Y, z
Sub Foo()
End Sub
* , ; < >
