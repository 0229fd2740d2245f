If x = 10 Then ' note
