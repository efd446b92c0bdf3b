<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>DemoTour</name>
    <message>
        <source>trash</source>
        <comment>typed into the search field; a word of the built-in script &apos;Empty Trash&apos; as translated</comment>
        <translation>papierkorb</translation>
    </message>
</context>
<context>
    <name>GestureSheet</name>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (Fortsetzung)</translation>
    </message>
    <message>
        <source>No gestures are stored yet. Assign one in the setup window.</source>
        <translation>Noch sind keine Gesten gespeichert. Weisen Sie im Einrichtungsfenster eine zu.</translation>
    </message>
    <message>
        <source>Scriblo Gestures</source>
        <translation>Scriblo-Gesten</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>GestureSheetContents</name>
    <message>
        <source>Unavailable</source>
        <translation>Nicht verfügbar</translation>
    </message>
    <message>
        <source>No longer on this computer</source>
        <translation>Nicht mehr auf diesem Computer</translation>
    </message>
    <message>
        <source>Cannot run: the script is not executable</source>
        <translation>Kann nicht laufen: das Skript ist nicht ausführbar</translation>
    </message>
    <message>
        <source>Out of reach now: hidden, or on a disk that is not mounted</source>
        <translation>Derzeit nicht erreichbar: ausgeblendet oder auf einem nicht eingebundenen Datenträger</translation>
    </message>
    <message>
        <source>Its browser is not installed</source>
        <translation>Der zugehörige Browser ist nicht installiert</translation>
    </message>
</context>
<context>
    <name>GoneGestureRemoval</name>
    <message>
        <source>Gesture removed</source>
        <translation>Geste entfernt</translation>
    </message>
    <message>
        <source>The target of the gesture “%1” is gone, so the gesture was removed. It is kept in %2: “scriblo gestures import %2” brings it back.</source>
        <translation>Das Ziel der Geste „%1“ gibt es nicht mehr, daher wurde die Geste entfernt. Sie ist in %2 aufbewahrt: „scriblo gestures import %2“ holt sie zurück.</translation>
    </message>
</context>
<context>
    <name>MoveApplication</name>
    <message>
        <source>Move to Applications folder in your Home folder?</source>
        <translation>In den Ordner „Applications“ in Ihrem persönlichen Ordner verschieben?</translation>
    </message>
    <message>
        <source>Move to Applications folder?</source>
        <translation>In den Ordner „Applications“ verschieben?</translation>
    </message>
    <message>
        <source>I can move myself to the Applications folder if you&apos;d like.</source>
        <translation>Auf Wunsch verschiebe ich mich selbst in den Ordner „Applications“.</translation>
    </message>
    <message>
        <source>Note that this will require an administrator password.</source>
        <translation>Dafür wird ein Administratorpasswort benötigt.</translation>
    </message>
    <message>
        <source>This will keep your Downloads folder uncluttered.</source>
        <translation>So bleibt Ihr Download-Ordner aufgeräumt.</translation>
    </message>
    <message>
        <source>Move to Applications Folder</source>
        <translation>In „Applications“ verschieben</translation>
    </message>
    <message>
        <source>Do Not Move</source>
        <translation>Nicht verschieben</translation>
    </message>
    <message>
        <source>Do not show this message again</source>
        <translation>Diese Meldung nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Could not move to Applications folder</source>
        <translation>Das Verschieben in den Ordner „Applications“ ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>SetupSettingsControls</name>
    <message>
        <source>Takes %1 to %2</source>
        <translation>Nimmt %1 bis %2</translation>
    </message>
</context>
<context>
    <name>scriblo::BuiltInScripts</name>
    <message>
        <source>Empty Trash</source>
        <translation>Papierkorb leeren</translation>
    </message>
    <message>
        <source>Lock Screen</source>
        <translation>Bildschirm sperren</translation>
    </message>
    <message>
        <source>Log Out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Open Home Folder</source>
        <translation>Persönlichen Ordner öffnen</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Bereitschaft</translation>
    </message>
</context>
<context>
    <name>scriblo::CommandMenu</name>
    <message>
        <source>My &amp;Gestures…</source>
        <translation>Meine &amp;Gesten…</translation>
    </message>
    <message>
        <source>&amp;Import Gestures…</source>
        <translation>Gesten &amp;importieren…</translation>
    </message>
    <message>
        <source>&amp;Export Gestures…</source>
        <translation>Gesten e&amp;xportieren…</translation>
    </message>
    <message>
        <source>Explain &amp;Misses</source>
        <translation>Fehlversuche er&amp;klären</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Last Drawing…</source>
        <translation>&amp;Letzte Zeichnung…</translation>
    </message>
</context>
<context>
    <name>scriblo::ConflictWarningBar</name>
    <message>
        <source>Assign Anyway</source>
        <translation>Trotzdem zuweisen</translation>
    </message>
    <message>
        <source>Draw Again</source>
        <translation>Neu zeichnen</translation>
    </message>
    <message>
        <source>Gesture conflict</source>
        <translation>Gestenkonflikt</translation>
    </message>
    <message>
        <source>Conflict warning</source>
        <translation>Konfliktwarnung</translation>
    </message>
    <message>
        <source>This looks like the gesture for %1 (%2%).</source>
        <translation>Das sieht aus wie die Geste für %1 (%2&#xa0;%).</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>The gesture for %1</source>
        <translation>Die Geste für %1</translation>
    </message>
</context>
<context>
    <name>scriblo::CustomScriptsNotice</name>
    <message>
        <source>Custom Scripts</source>
        <translation>Eigene Skripte</translation>
    </message>
    <message>
        <source>Custom scripts notice</source>
        <translation>Hinweis zu eigenen Skripten</translation>
    </message>
    <message>
        <source>Cool!</source>
        <translation>Super!</translation>
    </message>
    <message>
        <source>You can add your own scripts to this list by placing executable files in the folder below.</source>
        <translation>Sie können dieser Liste eigene Skripte hinzufügen, indem Sie ausführbare Dateien in den folgenden Ordner legen.</translation>
    </message>
</context>
<context>
    <name>scriblo::DrawingNumberBar</name>
    <message>
        <source>Remove Drawing</source>
        <translation>Zeichnung entfernen</translation>
    </message>
    <message>
        <source>Drawing shown</source>
        <translation>Gezeigte Zeichnung</translation>
    </message>
    <message>
        <source>Drawing %1 of %2</source>
        <translation>Zeichnung %1 von %2</translation>
    </message>
    <message>
        <source>Remove drawing %1 of %2 from the gesture</source>
        <translation>Zeichnung %1 von %2 aus der Geste entfernen</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureFileTransfer</name>
    <message>
        <source>Gesture files (*.json)</source>
        <translation>Gestendateien (*.json)</translation>
    </message>
    <message>
        <source>Export Gestures</source>
        <translation>Gesten exportieren</translation>
    </message>
    <message>
        <source>The gestures were not exported.</source>
        <translation>Die Gesten wurden nicht exportiert.</translation>
    </message>
    <message>
        <source>Gestures exported</source>
        <translation>Gesten exportiert</translation>
    </message>
    <message>
        <source>Every stored gesture was written to %1.</source>
        <translation>Alle gespeicherten Gesten wurden in %1 geschrieben.</translation>
    </message>
    <message>
        <source>Import Gestures</source>
        <translation>Gesten importieren</translation>
    </message>
    <message>
        <source>The file cannot be imported.</source>
        <translation>Die Datei kann nicht importiert werden.</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>Es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Gestures imported</source>
        <translation>Gesten importiert</translation>
    </message>
    <message>
        <source>Added: %1. Replaced: %2.</source>
        <translation>Hinzugefügt: %1. Ersetzt: %2.</translation>
    </message>
    <message>
        <source>Scriblo</source>
        <translation>Scriblo</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureImportPreview</name>
    <message>
        <source>Gestures in %1:</source>
        <translation>Gesten in %1:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Zusammenfassung</translation>
    </message>
    <message>
        <source>Gestures in the file</source>
        <translation>Gesten in der Datei</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Geste</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 to add, %2 to replace, %3 to skip.</source>
        <translation>%1 hinzuzufügen, %2 zu ersetzen, %3 zu überspringen.</translation>
    </message>
    <message>
        <source>Look-alikes of another target&apos;s gesture: %1.</source>
        <translation>Ähnlich der Geste eines anderen Ziels: %1.</translation>
    </message>
    <message>
        <source>Drawing for %1</source>
        <translation>Zeichnung für %1</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Already stored with this drawing</source>
        <translation>Bereits mit dieser Zeichnung gespeichert</translation>
    </message>
    <message>
        <source>A later gesture in the file has the same target</source>
        <translation>Eine spätere Geste der Datei hat dasselbe Ziel</translation>
    </message>
    <message>
        <source>Cannot be stored: %1</source>
        <translation>Kann nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>Looks like %1 (%2%)</source>
        <translation>Sieht aus wie %1 (%2&#xa0;%)</translation>
    </message>
    <message>
        <source>Import Gestures from %1</source>
        <translation>Gesten aus %1 importieren</translation>
    </message>
    <message>
        <source>Looking for look-alikes: %1 of %2…</source>
        <translation>Suche nach ähnlichen Gesten: %1 von %2 …</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionController</name>
    <message>
        <source>Could not be started</source>
        <translation>Konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>Its target is gone, so the gesture was removed</source>
        <translation>Das Ziel gibt es nicht mehr, daher wurde die Geste entfernt</translation>
    </message>
    <message>
        <source>Its target is gone</source>
        <translation>Das Ziel gibt es nicht mehr</translation>
    </message>
    <message>
        <source>Cannot run: the script is not executable</source>
        <translation>Kann nicht laufen: das Skript ist nicht ausführbar</translation>
    </message>
    <message>
        <source>Its target cannot be found now</source>
        <translation>Das Ziel ist gerade nicht zu finden</translation>
    </message>
    <message>
        <source>%1 – %2% (needs %3%)</source>
        <translation>%1 – %2&#xa0;% (nötig: %3&#xa0;%)</translation>
    </message>
    <message>
        <source>%1 – %2%</source>
        <comment>the best match while drawing: name, score</comment>
        <translation>%1 – %2&#xa0;%</translation>
    </message>
    <message>
        <source>Reading your gestures…</source>
        <translation>Ihre Gesten werden gelesen…</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionView</name>
    <message>
        <source>Drawing area</source>
        <translation>Zeichenfläche</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionWindow</name>
    <message>
        <source>Launched target&apos;s icon</source>
        <translation>Symbol des gestarteten Ziels</translation>
    </message>
    <message>
        <source>Launched target</source>
        <translation>Gestartetes Ziel</translation>
    </message>
    <message>
        <source>Best match&apos;s icon</source>
        <translation>Symbol des besten Treffers</translation>
    </message>
    <message>
        <source>Best match so far</source>
        <translation>Bisher bester Treffer</translation>
    </message>
    <message>
        <source>Gesture drawing window</source>
        <translation>Fenster zum Zeichnen der Geste</translation>
    </message>
    <message>
        <source>Scriblo</source>
        <translation>Scriblo</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>Why the target did not start</source>
        <translation>Warum das Ziel nicht gestartet ist</translation>
    </message>
    <message>
        <source>Add to Gesture</source>
        <translation>Zur Geste hinzufügen</translation>
    </message>
    <message>
        <source>Add to %1</source>
        <translation>Zu %1 hinzufügen</translation>
    </message>
    <message>
        <source>Add this drawing to the gesture for %1</source>
        <translation>Diese Zeichnung zur Geste für %1 hinzufügen</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureSetupWindow</name>
    <message>
        <source>Scriblo Setup</source>
        <translation>Scriblo-Einrichtung</translation>
    </message>
    <message>
        <source>Scriblo setup</source>
        <translation>Scriblo-Einrichtung</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Hintergrund</translation>
    </message>
    <message>
        <source>No tray area was found: run scriblo again to show or hide this window.</source>
        <translation>Es wurde kein Infobereich gefunden: Starten Sie scriblo erneut, um dieses Fenster ein- oder auszublenden.</translation>
    </message>
    <message>
        <source>Tray hint</source>
        <translation>Hinweis zum Infobereich</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>Web Pages</source>
        <translation>Webseiten</translation>
    </message>
    <message>
        <source>Scripts</source>
        <translation>Skripte</translation>
    </message>
    <message>
        <source>Utilities</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Kind of target</source>
        <translation>Art des Ziels</translation>
    </message>
    <message>
        <source>Targets</source>
        <translation>Ziele</translation>
    </message>
    <message>
        <source>Drawing area</source>
        <translation>Zeichenfläche</translation>
    </message>
    <message>
        <source>Drawing prompt</source>
        <translation>Aufforderung zum Zeichnen</translation>
    </message>
    <message>
        <source>Assign</source>
        <translation>Zuweisen</translation>
    </message>
    <message>
        <source>Assign a gesture</source>
        <translation>Eine Geste zuweisen</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Zeigen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clear the gesture</source>
        <translation>Die Geste löschen</translation>
    </message>
    <message>
        <source>Minimum recognition score</source>
        <translation>Mindestpunktzahl der Erkennung</translation>
    </message>
    <message>
        <source>Reading delay time</source>
        <translation>Wartezeit vor dem Erkennen</translation>
    </message>
    <message>
        <source>Minimum score (%)</source>
        <translation>Mindestpunktzahl (%)</translation>
    </message>
    <message>
        <source>Reading delay (ms)</source>
        <translation>Wartezeit (ms)</translation>
    </message>
    <message>
        <source>Draw with:</source>
        <translation>Zeichnen mit:</translation>
    </message>
    <message>
        <source>Touchpad</source>
        <translation>Touchpad</translation>
    </message>
    <message>
        <source>Draw on the touchpad instead of with the mouse</source>
        <translation>Auf dem Touchpad statt mit der Maus zeichnen</translation>
    </message>
    <message>
        <source>Full screen drawing</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Full screen recognition window</source>
        <translation>Erkennungsfenster im Vollbild</translation>
    </message>
    <message>
        <source>Quickdraw</source>
        <translation>Schnellzeichnen</translation>
    </message>
    <message>
        <source>Quickdraw with three fingers</source>
        <translation>Schnellzeichnen mit drei Fingern</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Autostart</translation>
    </message>
    <message>
        <source>Assign message</source>
        <translation>Meldung zum Zuweisen</translation>
    </message>
    <message>
        <source>Nothing was drawn, so no gesture was saved. Press Assign and draw within four seconds.</source>
        <translation>Es wurde nichts gezeichnet, daher wurde keine Geste gespeichert. Drücken Sie „Zuweisen“ und zeichnen Sie innerhalb von vier Sekunden.</translation>
    </message>
    <message>
        <source>Not saved: the drawing is too short to tell apart. Press Assign and draw a longer gesture.</source>
        <translation>Nicht gespeichert: Die Zeichnung ist zu kurz, um sie zu unterscheiden. Drücken Sie „Zuweisen“ und zeichnen Sie eine längere Geste.</translation>
    </message>
    <message>
        <source>Not saved: Scriblo already keeps %1 gestures, as many as it can. Clear one you no longer use, then assign again.</source>
        <translation>Nicht gespeichert: Scriblo bewahrt bereits %1 Gesten auf, so viele es kann. Löschen Sie eine, die Sie nicht mehr brauchen, und weisen Sie dann erneut zu.</translation>
    </message>
    <message>
        <source>Not saved: %1.</source>
        <translation>Nicht gespeichert: %1.</translation>
    </message>
    <message>
        <source>The gesture works now, but it could not be written to disk and may be gone after Scriblo quits.</source>
        <translation>Die Geste funktioniert jetzt, konnte aber nicht auf die Festplatte geschrieben werden und ist nach dem Beenden von Scriblo vielleicht verloren.</translation>
    </message>
    <message>
        <source>Draw now!</source>
        <translation>Jetzt zeichnen!</translation>
    </message>
    <message>
        <source>Draw here!</source>
        <translation>Hier zeichnen!</translation>
    </message>
    <message>
        <source>More…</source>
        <translation>Mehr…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Bring back the gesture for %1</source>
        <translation>Die Geste für %1 zurückholen</translation>
    </message>
    <message>
        <source>No applications were found among the desktop&apos;s menu entries.</source>
        <translation>In den Menüeinträgen des Desktops wurden keine Anwendungen gefunden.</translation>
    </message>
    <message>
        <source>No utilities were found among the desktop&apos;s menu entries.</source>
        <translation>In den Menüeinträgen des Desktops wurden keine Werkzeuge gefunden.</translation>
    </message>
    <message>
        <source>No system tools were found among the desktop&apos;s menu entries.</source>
        <translation>In den Menüeinträgen des Desktops wurden keine Systemwerkzeuge gefunden.</translation>
    </message>
    <message>
        <source>No scripts yet. Executable files in Scriblo&apos;s Scripts folder are listed here.</source>
        <translation>Noch keine Skripte. Ausführbare Dateien im Skriptordner von Scriblo werden hier aufgeführt.</translation>
    </message>
    <message>
        <source>Empty list</source>
        <translation>Leere Liste</translation>
    </message>
    <message>
        <source>No bookmarked pages were found. Web pages come from the bookmarks toolbar of Firefox and the bookmarks bar of Chrome and Chromium, where the browser is installed.</source>
        <translation>Es wurden keine Lesezeichen gefunden. Webseiten stammen aus der Lesezeichen-Symbolleiste von Firefox und der Lesezeichenleiste von Chrome und Chromium, sofern der Browser installiert ist.</translation>
    </message>
    <message>
        <source>Add Drawing</source>
        <translation>Zeichnung hinzufügen</translation>
    </message>
    <message>
        <source>Add another drawing to the gesture</source>
        <translation>Der Geste eine weitere Zeichnung hinzufügen</translation>
    </message>
    <message>
        <source>Show the gesture, one drawing at each press</source>
        <translation>Die Geste zeigen, bei jedem Druck eine Zeichnung</translation>
    </message>
    <message>
        <source>Nothing was drawn, so no drawing was added. Press Add Drawing and draw within four seconds.</source>
        <translation>Es wurde nichts gezeichnet, also wurde keine Zeichnung hinzugefügt. Drücken Sie „Zeichnung hinzufügen“ und zeichnen Sie innerhalb von vier Sekunden.</translation>
    </message>
    <message>
        <source>Not added: the drawing is too short to tell apart. Press Add Drawing and draw a longer gesture.</source>
        <translation>Nicht hinzugefügt: Die Zeichnung ist zu kurz, um sie zu unterscheiden. Drücken Sie „Zeichnung hinzufügen“ und zeichnen Sie eine längere Geste.</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>Nicht hinzugefügt: %1.</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureSheetWindow</name>
    <message>
        <source>Clear Gesture</source>
        <translation>Geste löschen</translation>
    </message>
    <message>
        <source>My Gestures</source>
        <translation>Meine Gesten</translation>
    </message>
    <message>
        <source>Search by name</source>
        <translation>Nach Namen suchen</translation>
    </message>
    <message>
        <source>Stored gestures</source>
        <translation>Gespeicherte Gesten</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Geste</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Selected gesture</source>
        <translation>Ausgewählte Geste</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>No gestures are stored yet.</source>
        <translation>Noch sind keine Gesten gespeichert.</translation>
    </message>
    <message>
        <source>No gesture&apos;s name holds “%1”.</source>
        <translation>Kein Gestenname enthält „%1“.</translation>
    </message>
    <message>
        <source>1 gesture</source>
        <translation>1 Geste</translation>
    </message>
    <message>
        <source>%1 gestures</source>
        <translation>%1 Gesten</translation>
    </message>
    <message>
        <source>Drawing for %1</source>
        <translation>Zeichnung für %1</translation>
    </message>
    <message>
        <source>The gesture for %1 was not cleared: %2</source>
        <translation>Die Geste für %1 wurde nicht gelöscht: %2</translation>
    </message>
    <message>
        <source>Cleared the gesture for %1.</source>
        <translation>Die Geste für %1 wurde gelöscht.</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Suche leeren</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>The gesture for %1 was not brought back: %2</source>
        <translation>Die Geste für %1 wurde nicht zurückgeholt: %2</translation>
    </message>
    <message>
        <source>Brought back the gesture for %1.</source>
        <translation>Die Geste für %1 ist wieder da.</translation>
    </message>
    <message>
        <source>Choose a gesture in the list to see its drawing here.</source>
        <translation>Wählen Sie eine Geste in der Liste, um hier ihre Zeichnung zu sehen.</translation>
    </message>
    <message>
        <source>Empty list</source>
        <translation>Leere Liste</translation>
    </message>
    <message>
        <source>Remove Drawing</source>
        <translation>Zeichnung entfernen</translation>
    </message>
    <message>
        <source>Drawings</source>
        <translation>Zeichnungen</translation>
    </message>
    <message>
        <source>Drawing shown</source>
        <translation>Gezeigte Zeichnung</translation>
    </message>
    <message>
        <source>Remove the drawing shown from its gesture</source>
        <translation>Die gezeigte Zeichnung aus ihrer Geste entfernen</translation>
    </message>
    <message>
        <source>Drawing %1 of %2</source>
        <translation>Zeichnung %1 von %2</translation>
    </message>
    <message>
        <source>Drawing %1 of %2 for %3</source>
        <translation>Zeichnung %1 von %2 für %3</translation>
    </message>
    <message>
        <source>The drawing was not removed: %1</source>
        <translation>Die Zeichnung wurde nicht entfernt: %1</translation>
    </message>
    <message>
        <source>Removed a drawing.</source>
        <translation>Eine Zeichnung entfernt.</translation>
    </message>
</context>
<context>
    <name>scriblo::LastDrawingWindow</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Last Drawing</source>
        <translation>Letzte Zeichnung</translation>
    </message>
    <message>
        <source>Last drawing</source>
        <translation>Letzte Zeichnung</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Closest gestures:</source>
        <translation>Ähnlichste Gesten:</translation>
    </message>
    <message>
        <source>Nothing drawn yet: the next gesture you draw shows here.</source>
        <translation>Noch nichts gezeichnet: Die nächste Geste, die Sie zeichnen, erscheint hier.</translation>
    </message>
    <message>
        <source>The drawing you made last</source>
        <translation>Ihre letzte Zeichnung</translation>
    </message>
    <message>
        <source>It launched %1 (%2%).</source>
        <translation>Sie hat %1 gestartet (%2&#xa0;%).</translation>
    </message>
    <message>
        <source>It launched nothing: %1 came closest with %2%, and %3% is needed.</source>
        <translation>Sie hat nichts gestartet: %1 kam mit %2&#xa0;% am nächsten, nötig sind %3&#xa0;%.</translation>
    </message>
    <message>
        <source>It launched nothing: no stored gesture is like it.</source>
        <translation>Sie hat nichts gestartet: Keine gespeicherte Geste ähnelt ihr.</translation>
    </message>
    <message>
        <source>It matched %1, which could not be launched.</source>
        <translation>Sie passte zu %1, das nicht gestartet werden konnte.</translation>
    </message>
    <message>
        <source>%1 – %2%</source>
        <comment>a gesture the last drawing is like: name, score</comment>
        <translation>%1 – %2&#xa0;%</translation>
    </message>
    <message>
        <source>Add to %1</source>
        <translation>Zu %1 hinzufügen</translation>
    </message>
    <message>
        <source>%1 keeps as many drawings as it can</source>
        <translation>%1 hat schon so viele Zeichnungen, wie eine Geste haben kann</translation>
    </message>
    <message>
        <source>Add this drawing to the gesture for %1</source>
        <translation>Diese Zeichnung zur Geste für %1 hinzufügen</translation>
    </message>
    <message>
        <source>the drawing is too short to tell apart</source>
        <translation>die Zeichnung ist zu kurz, um sie zu unterscheiden</translation>
    </message>
    <message>
        <source>Not added to %1: %2.</source>
        <translation>Nicht zu %1 hinzugefügt: %2.</translation>
    </message>
    <message>
        <source>Added the drawing to %1.</source>
        <translation>Die Zeichnung wurde zu %1 hinzugefügt.</translation>
    </message>
    <message>
        <source>The drawing was not taken back from %1: %2</source>
        <translation>Die Zeichnung wurde nicht aus %1 zurückgenommen: %2</translation>
    </message>
    <message>
        <source>Took the drawing back from %1.</source>
        <translation>Die Zeichnung wurde aus %1 zurückgenommen.</translation>
    </message>
    <message>
        <source>Take the drawing back from %1</source>
        <translation>Die Zeichnung aus %1 zurücknehmen</translation>
    </message>
</context>
<context>
    <name>scriblo::LaunchableArrayModel</name>
    <message>
        <source>Has a gesture</source>
        <translation>Hat eine Geste</translation>
    </message>
</context>
<context>
    <name>scriblo::TrayStatusItem</name>
    <message>
        <source>Scriblo menu</source>
        <translation>Scriblo-Menü</translation>
    </message>
    <message>
        <source>Scriblo: draw a gesture to launch</source>
        <translation>Scriblo: Zeichnen Sie eine Geste, um etwas zu starten</translation>
    </message>
    <message>
        <source>&amp;Setup…</source>
        <translation>&amp;Einrichten…</translation>
    </message>
</context>
</TS>
