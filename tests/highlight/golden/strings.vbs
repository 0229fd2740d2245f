s = "it's ' not a comment"
t = "open
u = "a""b"
