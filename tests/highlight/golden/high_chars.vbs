Di一m x
