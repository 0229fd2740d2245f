Database.Tag
x = Database .Tag
MyObj.Tag
WEB.Title.Value
