x = 1 ' one
' full line "quoted"
y = "it's" ' two
z ' open at end