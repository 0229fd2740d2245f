<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CodeAssist</name>
    <message>
        <source>Member list</source>
        <translation>Memberliste</translation>
    </message>
    <message>
        <source>Names for the word at the caret: the arrow keys choose one, Tab or Enter puts it in</source>
        <translation>Namen für das Wort an der Einfügemarke: Die Pfeiltasten wählen einen aus, Tab oder Eingabe fügt ihn ein</translation>
    </message>
    <message>
        <source>Members</source>
        <translation>Member</translation>
    </message>
    <message>
        <source>Syntax tip</source>
        <translation>Syntaxhinweis</translation>
    </message>
    <message>
        <source>How the command at the caret is written</source>
        <translation>Wie der Befehl an der Einfügemarke geschrieben wird</translation>
    </message>
</context>
<context>
    <name>Diagnostics</name>
    <message>
        <source>&quot;%1&quot; has no matching &quot;%2&quot;.</source>
        <translation>Zu &quot;%1&quot; fehlt das passende &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; closes a &quot;%2&quot;; it should be &quot;%3&quot;.</source>
        <translation>&quot;%1&quot; schließt ein &quot;%2&quot;; richtig wäre &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>This string is not closed before the end of its line.</source>
        <translation>Diese Zeichenkette wird vor dem Zeilenende nicht geschlossen.</translation>
    </message>
    <message>
        <source>%1 has no command &quot;%2&quot;.</source>
        <translation>%1 kennt keinen Befehl &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>%1 has no command &quot;%2&quot;; did you mean &quot;%3&quot;?</source>
        <translation>%1 kennt keinen Befehl &quot;%2&quot;; meinten Sie &quot;%3&quot;?</translation>
    </message>
    <message>
        <source>There is no handler &quot;%1&quot;.</source>
        <translation>Es gibt keinen Handler &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>There is no handler &quot;%1&quot;; did you mean &quot;%2&quot;?</source>
        <translation>Es gibt keinen Handler &quot;%1&quot;; meinten Sie &quot;%2&quot;?</translation>
    </message>
    <message>
        <source>This encoded value is not valid Base64.</source>
        <translation>Dieser codierte Wert ist kein gültiges Base64.</translation>
    </message>
</context>
<context>
    <name>Favourites</name>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Another editor kept it in use for more than %1 seconds.</source>
        <translation>Ein anderer Editor hat die Datei länger als %1 Sekunden belegt.</translation>
    </message>
    <message>
        <source>Cannot create the lock file &quot;%1.lock&quot;</source>
        <translation>Die Sperrdatei „%1.lock“ kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>The favourites file could not be read, so it is left as it is.
%1</source>
        <translation>Die Favoritendatei konnte nicht gelesen werden und bleibt daher unverändert.
%1</translation>
    </message>
    <message>
        <source>The favourites could not be saved to &quot;%1&quot;.
%2</source>
        <translation>Die Favoriten konnten nicht in „%1“ gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>The favourite &quot;%1&quot; is kept in this editor only.

%2</source>
        <translation>Der Favorit „%1“ bleibt nur in diesem Editor erhalten.

%2</translation>
    </message>
    <message>
        <source>Enter the name to use for the favourites</source>
        <translation>Geben Sie den Namen für den Favoriten ein</translation>
    </message>
    <message>
        <source>Kelvane Tag Favourite</source>
        <translation>Kelvane-Tag-Favorit</translation>
    </message>
</context>
<context>
    <name>FindReplace</name>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Text can not be found</source>
        <translation>Der Text wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Find and Replace</source>
        <translation>Suchen und Ersetzen</translation>
    </message>
    <message>
        <source>Find</source>
        <comment>field label</comment>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <source>Replace</source>
        <comment>field label</comment>
        <translation>Ersetzen durch</translation>
    </message>
    <message>
        <source>Whole Word</source>
        <translation>Nur ganzes Wort</translation>
    </message>
    <message>
        <source>Match Case</source>
        <translation>Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Replace</source>
        <comment>button</comment>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Wrap around</source>
        <translation>Am Ende von vorn beginnen</translation>
    </message>
    <message>
        <source>Start at the caret</source>
        <translation>Ab der Einfügemarke suchen</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>Alle ersetzen</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Replaced: %1</source>
        <translation>Ersetzt: %1</translation>
    </message>
    <message>
        <source>Matches: %1</source>
        <translation>Treffer: %1</translation>
    </message>
</context>
<context>
    <name>TagDialog</name>
    <message>
        <source>Kelvane Tag Editor</source>
        <translation>Kelvane-Tag-Editor</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>qxcSCRIPTEditor</name>
    <message>
        <source>Error opening user
Error: %1
Desc: %2</source>
        <translation>Fehler beim Öffnen des Benutzers
Fehler: %1
Beschreibung: %2</translation>
    </message>
    <message>
        <source>Advanced View</source>
        <translation>Erweiterte Ansicht</translation>
    </message>
    <message>
        <source>Full View</source>
        <translation>Vollansicht</translation>
    </message>
    <message>
        <source>Disable Syntax Highlight</source>
        <translation>Syntaxhervorhebung ausschalten</translation>
    </message>
    <message>
        <source>Enable Syntax Highlight</source>
        <translation>Syntaxhervorhebung einschalten</translation>
    </message>
    <message>
        <source>Error on line 0: %1 - %2</source>
        <translation>Fehler in Zeile 0: %1 - %2</translation>
    </message>
    <message>
        <source>Line: %1</source>
        <translation>Zeile: %1</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>This encoded value can not be edited: its content does not decode.
%1</source>
        <translation>Dieser kodierte Wert kann nicht bearbeitet werden: Sein Inhalt lässt sich nicht dekodieren.
%1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Find &amp;&amp; Replace</source>
        <translation>Suchen &amp;&amp; Ersetzen</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Add To Favourites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Encoded Depth Level</source>
        <translation>Tiefe kodierter Werte</translation>
    </message>
    <message>
        <source>Encoded</source>
        <extracomment>Status panel, enabled while the caret is in an encoded value; keep it short</extracomment>
        <translation>Kodiert</translation>
    </message>
    <message>
        <source>CAPS</source>
        <extracomment>Status panel, enabled while Caps Lock is on; keep it short</extracomment>
        <translation>FEST</translation>
    </message>
    <message>
        <source>Line: </source>
        <translation>Zeile: </translation>
    </message>
    <message>
        <source>Script</source>
        <translation>Skript</translation>
    </message>
    <message>
        <source>The script being edited. Ctrl+Space lists what can follow the caret; Ctrl+Tab leaves the editor</source>
        <translation>Das bearbeitete Skript. Strg+Leertaste listet auf, was an der Einfügemarke folgen kann; Strg+Tab verlässt den Editor</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Leave the encoded value being edited and return to the text around it</source>
        <translation>Den bearbeiteten kodierten Wert verlassen und zum umgebenden Text zurückkehren</translation>
    </message>
    <message>
        <source>Edit encoded value</source>
        <translation>Kodierten Wert bearbeiten</translation>
    </message>
    <message>
        <source>Edit the encoded value at the caret as plain text</source>
        <translation>Den kodierten Wert an der Einfügemarke als reinen Text bearbeiten</translation>
    </message>
    <message>
        <source>Edit RTF value</source>
        <translation>RTF-Wert bearbeiten</translation>
    </message>
    <message>
        <source>Edit the RTF value at the caret</source>
        <translation>Den RTF-Wert an der Einfügemarke bearbeiten</translation>
    </message>
    <message>
        <source>Find and replace</source>
        <translation>Suchen und ersetzen</translation>
    </message>
    <message>
        <source>Open the find and replace dialog</source>
        <translation>Den Dialog „Suchen und Ersetzen“ öffnen</translation>
    </message>
    <message>
        <source>Syntax highlighting</source>
        <translation>Syntaxhervorhebung</translation>
    </message>
    <message>
        <source>Colour the script as it is typed</source>
        <translation>Das Skript bei der Eingabe einfärben</translation>
    </message>
    <message>
        <source>Editor status</source>
        <translation>Editorstatus</translation>
    </message>
    <message>
        <source>Encoded depth level</source>
        <translation>Tiefe kodierter Werte</translation>
    </message>
    <message>
        <source>How many encoded values deep the editing is</source>
        <translation>Wie tief die Bearbeitung in kodierten Werten verschachtelt ist</translation>
    </message>
    <message>
        <source>Encoded value</source>
        <translation>Kodierter Wert</translation>
    </message>
    <message>
        <source>Enabled while the caret is in an encoded value</source>
        <translation>Aktiv, solange die Einfügemarke in einem kodierten Wert steht</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Feststelltaste</translation>
    </message>
    <message>
        <source>Enabled while Caps Lock is on</source>
        <translation>Aktiv, solange die Feststelltaste eingeschaltet ist</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>The line that holds the caret</source>
        <translation>Die Zeile mit der Einfügemarke</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>A description of the command at the caret</source>
        <translation>Eine Beschreibung des Befehls an der Einfügemarke</translation>
    </message>
    <message>
        <source>Popup Menu</source>
        <translation>Kontextmenü</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>E&amp;dit</source>
        <translation>Ä&amp;ndern</translation>
    </message>
    <message>
        <source>&amp;RTF</source>
        <translation>&amp;RTF</translation>
    </message>
    <message>
        <source>F&amp;ind</source>
        <translation>Su&amp;chen</translation>
    </message>
    <message>
        <source>S&amp;yntax Highlighting</source>
        <translation>S&amp;yntaxhervorhebung</translation>
    </message>
    <message>
        <source>Line number (1 - %1):</source>
        <translation>Zeilennummer (1 - %1):</translation>
    </message>
    <message>
        <source>Go To Line</source>
        <translation>Gehe zu Zeile</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a line number.</source>
        <translation>„%1“ ist keine Zeilennummer.</translation>
    </message>
</context>
</TS>
