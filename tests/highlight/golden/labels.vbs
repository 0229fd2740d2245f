Retry:
x = 1
Retry:
  Cleanup: y = a:
x = a:
