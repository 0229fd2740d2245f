#include "assist/HostObjectCatalogue.h"
#include "hostlib/Properties.h"

#include <QStringList>

#include <gtest/gtest.h>

using qx::HostObjectCatalogue;
using qx::Properties;

namespace {

struct Expected {
    const char* key;
    int size;
    const char* names;
};

// The catalogues as the editor documents them, one text per catalogue.
const Expected kExpected[] = {
    {"tag", 18,
     "CommandName, CommandValue, CommandValueProcessed, Elements, ErrorLog, GetProcessedElementsValue, "
     "GetProcessedPropertiesValue, GetProcessedVariablesValue, HandlerName, Library, LogError, NewTag, "
     "ProcessName, ProcessValue, Properties, Result, Value, Variables"},
    {"properties", 33,
     "Add, AddBoolean, AddDate, AddDbl, AddInt, AddLng, AddObject, AddSng, AddStr, Build, Changed, Count, "
     "Dispose, GetProperty, GetPropertyIndex, GetValue, GetValueBoolean, GetValueDate, GetValueDbl, "
     "GetValueInt, GetValueLng, GetValueObject, GetValueSng, GetValueStr, Insert, Item, LoadFromFile, "
     "Move, Remove, RemoveAll, SaveFile, Sort, Stored"},
    {"library", 73,
     "AddModulusCheckDigit, AppendStringToFile, Base64Decode, Base64Encode, BuildProperties, CreateGUID, "
     "CreatePath, DateInDateRange, DateRangeInDateRange, Decrypt, DecryptBase64, DeleteFile, "
     "EmptyStringNull, Encrypt, EncryptBase64, FileExists, FormatDateLCID, FormatDateStyled, "
     "FormatDateTime, FormatDateTimeStyled, FormatProperty, FormatTime, FormatValue, GetComputerName, "
     "GetCurrentSystemTime, GetHTTPPage, HEXDecode, HEXEncode, HTMLStr, InStrContains, InStrCount, "
     "InStrMultiple, IsDateInDateRange, IsDateRangeInDateRange, IsValueInRangeCur, IsValueInRangeDbl, "
     "IsValueInRangeLng, LoadStringFromFile, NamedTime, NewProperties, NewStrCat, NullDateZero, "
     "NumberInWords, RandomFileName, ReadINI, ReadRegistry, SaveStringToFile, SearchWords, Sleep, "
     "StrContains, StrConvert, Swap, SwapLong, SwapString, TrueValue, UniqueFileName, URLEncode, "
     "ValidModulusCheckDigit, ValueCur, ValueDateFromString, ValueDbl, ValueInRangeCur, ValueInRangeDbl, "
     "ValueInRangeLng, ValueLng, ValueLngTrunc, WinPath, WinTemp, WinVersion, WriteINI, WriteRegistry, "
     "ZeroDateNull, ZipFile"},
    {"webpage", 8,
     "AddBodyExtend, AddBodyOnLoadCall, AddContent, AddLowerContent, AddMessage, AddSidebar, "
     "AddValidationResults, HideTopMenu"},
    {"result", 27,
     "AddNew, BOF, CloseResult, Delete, EOF, FieldCount, FieldName, FieldSize, FieldType, MoveFirst, "
     "MoveLast, MoveNext, MovePrevious, OriginalValue, RecordCount, ReserveRecord, SaveData, Update, "
     "Value, ValueBoolean, ValueCur, ValueDate, ValueDbl, ValueInt, ValueLng, ValueSng, ValueStr"},
    {"database", 91,
     "BeginTrans, CanFileBeLinked, Categories, CheckUniqueName, CommitTrans, Connected, Content, "
     "ConvertHTMLToText, CopyObjectFileAttachments, CopyObjectLinks, DatabaseName, DefaultPageSize, "
     "DefaultRecordStatus, Directory, DirectPath, FilePath, FileStore, GeoCodingEnabled, "
     "GeoCodingUpdateMode, GetActivity, GetInformationBoolean, GetInformationBooleanCached, "
     "GetInformationLong, GetInformationLongCached, GetInformationString, GetInformationStringCached, "
     "GetInformationText, GetInformationTextCached, GetItemDisplayName, GetObjectItem, "
     "GetObjectItemByName, GetObjectItemByReference, GetObjectItemRegistered, GetRecordDesc, "
     "GetRecordDisplayName, GetResourceLicenseStatusName, GetResourcePermissionName, "
     "GetResourceStatusName, GetResourceString, GetResult, GetResultPage, GetResultReadOnly, Information, "
     "IsServer, ItemAccountExists, KillInformationBoolean, KillInformationLong, KillInformationString, "
     "KillInformationText, LogAudit, LogEvent, LogView, NetworkDirectPath, NetworkFilePath, NewBaseItem, "
     "NewDraftItem, NewObjectItem, NewSearchProfile, NewValidation, ObjectResourceString, RecordExists, "
     "RecordExistsWhere, RecordStatusExpression, ReserveObjectItem, ReserveRecord, ReserveRecordTable, "
     "ReserveRecordTableResult, RunScriptTemplate, Scheduling, Security, ServerDirectPath, "
     "ServerFilePath, SetCachedBoolean, SetCachedLong, SetCachedString, SetInformationBoolean, "
     "SetInformationLong, SetInformationString, SetInformationText, SQLBitMask, SQLBoolean, SQLDate, "
     "SQLGroupsForUser, SQLString, SQLUsersForGroup, System, User, UserID, UserLCID, VersionString, "
     "VirtualFilePath"},
    {"web", 91,
     "ApplicationName, ApplicationTitle, Authenticated, AutoComment, AutoCommentEnabled, "
     "AutoCommentPrompt, Database, Flush, FUID, GetAppInformationBoolean, GetAppInformationLong, "
     "GetAppInformationString, GetCachedValue, GetSessionCachedValue, GetSessionInformationString, "
     "GetSessionInformationText, GetWebTabContentHTML, HTML, IsClientConnected, IsFUIDValid, IsTextHTML, "
     "IsValueCached, IsValueSessionCached, KillSessionCachedValue, LCID, Library, LogOff, LogPage, "
     "NewFolderBar, NewFormTable, NewListTable, NewPage, NewPhone, NewPopupDisplay, NewSummary, NewTable, "
     "NewTabTable, NewTabTableItem2, NewTabTableObjectType, NewTag, NewTaskTable, NewToolBar, NewWebSave, "
     "ObjectDetailsPage, ObjectEditPage, ObjectIcon, ObjectListPage, ObjectName, ObjectNewPage, "
     "ObjectSideBarTabs, ObjectSideBarTabsByType, ObjectTableID, ObjectVolumeFiltering, Requery, "
     "RequestBoolean, RequestCurrency, RequestData, RequestDate, RequestDateTime, RequestDelimited, "
     "RequestDouble, RequestListPage, RequestFolderItem, RequestLong, RequestMonthYear, RequestMulti, "
     "RequestString, RequestTime, RequestVariant, SaveExtensions, SaveTableRecord, ScriptTimeout, "
     "SessionLong, SessionString, SetCachedValue, SetPageTimeLimit, SetSessionCachedValue, TagProperties, "
     "TagResult, TagVariables, TerminateSession, UploadFiles, UserDisplayName, VersionMajor, "
     "VersionMinor, VersionRevision, VersionString, WebPage, WriteLine, WriteProgressSection, WriteText"},
    {"html", 101,
     "AddOption, AddressButton, AddTitleTool, AdvancedHTMLEditorEnabled, Anchor, Authenticated, "
     "BodyTable, BuildHTMLForm, BuildWebFormContent, ConvertHTMLToText, DateJump, DropDownList, "
     "DropDownListChild, DropDownListParent, EmailContactsButton, FileContentType, FileType, "
     "FolderPathLinks, FooterTable, Form, FormSaveCode, FormTable, GetHTTPRequest, Heading, HREF, "
     "HTMLEncode, HTMLEncodeBR, Icon, IconFile, Image, ImageButton, InfoTable, InputButton, "
     "InputCheckbox, InputCurrency, InputDate2, InputDateTime, InputEmailContacts, InputFile, "
     "InputHidden, InputHTML, InputMonthYear, InputNumeric, InputPassword, InputRadio, "
     "InputSelectControl2, InputSubmit, InputSubmitDefault, InputSubmitOT, InputText2, InputTextArea, "
     "InputTextAreaLarge, InputTime, JSEncode, LinkTable, ListTable, Loading, MenuTable, Message, "
     "MessageIcon, MultiCheckbox, MultiSelectList, ObjectItemTab, ObjectTypeTab, ObjectURLDetails, "
     "ObjectURLEdit, ObjectURLList, ObjectURLNew, OptionListLoadCategories, OptionListLoadGroups, "
     "OptionListLoadLicenseItems, OptionListLoadTable, OptionListLoadUsers, PageFooter, PageHeader, "
     "PagesIndex, PercentImage, RadioList, RecentPages, RecordStatus, SectionColumn, SectionTable, Skype, "
     "UNCMapping, URL, URLAddParameters, URLAddParametersCheck, URLDocuments, URLEncode, URLFile, "
     "URLFileIcons, URLImages, URLPage, URLPageProperties, URLPathEncode, URLProperties, URLRoot, "
     "URLScripts, URLSite, URLStyles, UserDisplayName"},
    {"itemaccount", 94,
     "AccessLevel, Activate, Activities, AdditionalFieldsRecord, AssignOwner, Attachments, "
     "BreadcrumbParentID, Cancel, Categories, CheckedOutByID, CheckIn2, CheckOut2, Children, Complete, "
     "CreatedBy, DateCreated, DateModified, Delete, DisplayName, Dispose, Draft, Extension, "
     "ExtensionField, ExtensionValue, FolderItems, File, FileCheckOut, Folders, FullName, "
     "GetDynamicProperty, GetInformationBoolean, GetInformationLong, GetInformationString, "
     "GetInformationText, ID, IsAcknowledged, IsAdditionalFieldsInitialised, IsBaseRecord, IsCheckedIn, "
     "IsFolder, IsOwner, IsSubscribed, ItemObject, Keywords, KillInformationBoolean, KillInformationLong, "
     "KillInformationString, KillInformationText, LinkedTo, Links, Marker, MetaData, MetaDataProperties, "
     "ModifiedBy, NewActivity, Notes, ObjectType, Owner, OwnerID, Parent, ParentFolder, ParentFolderID, "
     "ParentID, Path, Photo, PrimaryFolderID, PrimaryFolderItem, Progress, ReferenceNumber, Refresh, "
     "Reminder, ReviewInfo, Revision, Schedules, SecurityParent, SetInformationBoolean, "
     "SetInformationLong, SetInformationString, SetInformationText, SetParent, SetPrimaryFolder, Status, "
     "SubFolders, SubFoldersNatural, SubItems, Subscription, Supersede, SupersededBy, SupersededByID, "
     "Suspend, UndoCheckOut2, UnifiedTask, Update, Validation"},
    {"wfjob", 27,
     "AssignedGroupID, AssignedUserID, DateCompleted, DateDue, DateStarted, IsAssigned, IsConditionMet, "
     "IsEditor, IsManager, ItemAccount, Process, ProcessID, ProcessTagValue, Record, RecordID, Refresh, "
     "RequiresUpdate, RescheduleDateDue, RunCommandModule, ShowJob, StartedJobs, StepDefID, StepID, "
     "StepItem, Table, TableID, TimeTaken"},
    {"wfprocess", 35,
     "AddAttachment, AllowScriptEdit, AllowScriptRollback, AssignedGroupID, AssignedUserID, Attachments, "
     "ChartFileName, CurrentJobs, CurrentStepItem, DateCompleted, InitialiseTagObject, InstanceType, "
     "IsAssigned, IsEditor, IsManager, ItemAccount, JobsInProgress, NextVisitStep, ProcessDefinition, "
     "ProcessItem, ProcessItemObject, Record, RecordID, Refresh, RequiresUpdate, "
     "RequiresUpdateProcessItem, RollbackScript, ShowJob, Start, StartingJob, StartingProcess, StepItems, "
     "Table, TableID, TimeTaken"},
    {"searchprofile", 23,
     "AccessLevel, AccessLevelEval, Dispose, Execute, ExecuteAppend, ExecuteDisplayList, ExecuteIDList, "
     "Folders, ItemQuery, Lite, MaxRecords, ObjectType, ObjectTypes, OrderBy, Page, PageSize, Query, "
     "RecordStatus, SearchResults, SetExisting, Words, WordsInAdditional, WordsInExtended"},
};

QStringList namesOf(const Properties& set) {
    QStringList names;
    for (const qx::Property& item : set)
        names.append(item.Name());
    return names;
}

} // namespace

TEST(HostObjectCatalogue, TwelveKeysInOrder) {
    QStringList keys;
    for (const Expected& expected : kExpected)
        keys.append(QLatin1String(expected.key));
    EXPECT_EQ(HostObjectCatalogue::Keys(), keys);
}

TEST(HostObjectCatalogue, EveryCatalogueBuildsItsNamesInOrderAndCaseValuedZero) {
    for (const Expected& expected : kExpected) {
        SCOPED_TRACE(expected.key);
        const QStringList names = QString::fromLatin1(expected.names).split(QStringLiteral(", "));
        ASSERT_EQ(names.size(), expected.size);
        Properties cache;
        Properties* set = HostObjectCatalogue::Build(cache, QLatin1String(expected.key));
        ASSERT_NE(set, nullptr);
        EXPECT_EQ(namesOf(*set), names);
        EXPECT_EQ(HostObjectCatalogue::Members(QLatin1String(expected.key)), names);
        for (const qx::Property& item : *set) {
            EXPECT_EQ(item.Value().typeId(), QMetaType::Int);
            EXPECT_EQ(item.Value().toInt(), 0);
        }
        // The cache entry: named by the key, valued with the empty text, holding the set.
        ASSERT_EQ(cache.Count(), 1);
        EXPECT_EQ(cache.Item(1)->Name(), QLatin1String(expected.key));
        EXPECT_EQ(cache.Item(1)->Value().toString(), QString());
        EXPECT_EQ(&cache.Item(1)->SubProperties(), set);
    }
}

TEST(HostObjectCatalogue, EachBuildAddsAFreshEntryAndAnUnknownKeyNone) {
    Properties cache;
    Properties* first = HostObjectCatalogue::Build(cache, QStringLiteral("tag"));
    first->Clear();
    Properties* second = HostObjectCatalogue::Build(cache, QStringLiteral("tag"));
    EXPECT_NE(first, second);
    EXPECT_EQ(second->Count(), 18);
    EXPECT_EQ(HostObjectCatalogue::Build(cache, QStringLiteral("Tag")), nullptr);
    EXPECT_EQ(HostObjectCatalogue::Build(cache, QStringLiteral("rs")), nullptr);
    EXPECT_EQ(cache.Count(), 2);
    EXPECT_TRUE(HostObjectCatalogue::Members(QStringLiteral("nothing")).isEmpty());
}
