<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CodeAssist</name>
    <message>
        <source>Member list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names for the word at the caret: the arrow keys choose one, Tab or Enter puts it in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Members</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Syntax tip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the command at the caret is written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Diagnostics</name>
    <message>
        <source>&quot;%1&quot; has no matching &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; closes a &quot;%2&quot;; it should be &quot;%3&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This string is not closed before the end of its line.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no command &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no command &quot;%2&quot;; did you mean &quot;%3&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no handler &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no handler &quot;%1&quot;; did you mean &quot;%2&quot;?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This encoded value is not valid Base64.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Favourites</name>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another editor kept it in use for more than %1 seconds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the lock file &quot;%1.lock&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The favourites file could not be read, so it is left as it is.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The favourites could not be saved to &quot;%1&quot;.
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The favourite &quot;%1&quot; is kept in this editor only.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the name to use for the favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kelvane Tag Favourite</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindReplace</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text can not be found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <comment>field label</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <comment>field label</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole Word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match Case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <comment>button</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrap around</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start at the caret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matches: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TagDialog</name>
    <message>
        <source>Kelvane Tag Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>qxcSCRIPTEditor</name>
    <message>
        <source>Error opening user
Error: %1
Desc: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Advanced View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable Syntax Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Syntax Highlight</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error on line 0: %1 - %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This encoded value can not be edited: its content does not decode.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;&amp; Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add To Favourites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoded Depth Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoded</source>
        <extracomment>Status panel, enabled while the caret is in an encoded value; keep it short</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CAPS</source>
        <extracomment>Status panel, enabled while Caps Lock is on; keep it short</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The script being edited. Ctrl+Space lists what can follow the caret; Ctrl+Tab leaves the editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave the encoded value being edited and return to the text around it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit encoded value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the encoded value at the caret as plain text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit RTF value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the RTF value at the caret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find and replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the find and replace dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Syntax highlighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour the script as it is typed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editor status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoded depth level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many encoded values deep the editing is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoded value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled while the caret is in an encoded value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enabled while Caps Lock is on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The line that holds the caret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A description of the command at the caret</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Popup Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;dit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;RTF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;ind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;yntax Highlighting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line number (1 - %1):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go To Line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a line number.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
