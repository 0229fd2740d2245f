
"ab
c
