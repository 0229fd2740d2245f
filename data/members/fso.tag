{
  "format": "qxTagEditor2.properties",
  "version": 1,
  "items": [
    {
      "name": "BuildPath",
      "value": ""
    },
    {
      "name": "CopyFile",
      "value": ""
    },
    {
      "name": "CopyFolder",
      "value": ""
    },
    {
      "name": "CreateFolder",
      "value": ""
    },
    {
      "name": "CreateTextFile",
      "value": ""
    },
    {
      "name": "DeleteFile",
      "value": ""
    },
    {
      "name": "DeleteFolder",
      "value": ""
    },
    {
      "name": "DriveExists",
      "value": ""
    },
    {
      "name": "Drives",
      "value": ""
    },
    {
      "name": "FileExists",
      "value": ""
    },
    {
      "name": "FolderExists",
      "value": ""
    },
    {
      "name": "GetAbsolutePathName",
      "value": ""
    },
    {
      "name": "GetBaseName",
      "value": ""
    },
    {
      "name": "GetDrive",
      "value": ""
    },
    {
      "name": "GetDriveName",
      "value": ""
    },
    {
      "name": "GetExtensionName",
      "value": ""
    },
    {
      "name": "GetFile",
      "value": ""
    },
    {
      "name": "GetFileName",
      "value": ""
    },
    {
      "name": "GetFolder",
      "value": ""
    },
    {
      "name": "GetParentFolderName",
      "value": ""
    },
    {
      "name": "GetSpecialFolder",
      "value": ""
    },
    {
      "name": "GetTempName",
      "value": ""
    },
    {
      "name": "MoveFile",
      "value": ""
    },
    {
      "name": "MoveFolder",
      "value": ""
    },
    {
      "name": "OpenTextFile",
      "value": ""
    }
  ]
}
