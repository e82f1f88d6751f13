<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tesselo::CHelpDlg</name>
    <message>
        <source>Tesselo Help</source>
        <translation>Tesselo-Hilfe</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Instructions:</source>
        <translation>Spielanleitung:</translation>
    </message>
    <message>
        <source>Click &quot;New Game&quot; to start playing.</source>
        <translation>Klicken Sie auf „Neues Spiel“, um zu beginnen.</translation>
    </message>
    <message>
        <source>Click and drag the image to re-assemble the picture.</source>
        <translation>Ziehen Sie mit der Maus am Bild, um es wieder zusammenzusetzen.</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Tastatur:</translation>
    </message>
    <message>
        <source>Use right and left arrow keys to slide the selected row.</source>
        <translation>Die Pfeiltasten links und rechts schieben die ausgewählte Zeile.</translation>
    </message>
    <message>
        <source>Use up and down arrow keys to slide the selected column.</source>
        <translation>Die Pfeiltasten hoch und runter schieben die ausgewählte Spalte.</translation>
    </message>
    <message>
        <source>Use Shift + arrow keys to change the selection.</source>
        <translation>Umschalt + Pfeiltasten ändern die Auswahl.</translation>
    </message>
    <message>
        <source>Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay.</source>
        <translation>Strg+Z rückgängig, Strg+Y wiederholen, Strg+R Bestenliste, Strg+P Wiedergabe.</translation>
    </message>
    <message>
        <source>About Tesselo</source>
        <translation>Über Tesselo</translation>
    </message>
    <message>
        <source>Tesselo version 1.00, made by the Tesselo team.</source>
        <translation>Tesselo Version 1.00, vom Tesselo-Team.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Tesselo team.</source>
        <translation>Copyright (C) 2026 das Tesselo-Team.</translation>
    </message>
    <message>
        <source>Tesselo is free software, distributed under the MIT licence.</source>
        <translation>Tesselo ist freie Software und steht unter der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>The licence is set out in the file &quot;Attributions.txt&quot; beside the program, and at https://opensource.org/license/mit.</source>
        <translation>Den Lizenztext finden Sie in der Datei „Attributions.txt“ neben dem Programm und unter https://opensource.org/license/mit.</translation>
    </message>
    <message>
        <source>USE AT YOUR OWN RISK!</source>
        <translation>BENUTZUNG AUF EIGENE GEFAHR!</translation>
    </message>
    <message>
        <source>This software is  not warranted safe or fit for any purpose whatsoever.</source>
        <translation>Für diese Software wird keinerlei Gewähr übernommen, weder für ihre Sicherheit noch für ihre Eignung zu irgendeinem Zweck.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Click the Options button to:</source>
        <translation>Unter „Optionen“ können Sie:</translation>
    </message>
    <message>
        <source>- Set the difficulty (number of cells)</source>
        <translation>- die Schwierigkeit wählen (Anzahl der Felder)</translation>
    </message>
    <message>
        <source>- Set the style: strategy (fewest moves) or speed (shortest time)</source>
        <translation>- die Spielweise wählen: Strategie (wenigste Züge) oder Tempo (kürzeste Zeit)</translation>
    </message>
    <message>
        <source>- Choose new pictures (a new picture folder).  .BMP, .JPG, .GIF and .PNG files supported.</source>
        <translation>- andere Bilder wählen (einen anderen Bilderordner). Unterstützt werden BMP-, JPG-, GIF- und PNG-Dateien.</translation>
    </message>
    <message>
        <source>- Turn off the sound</source>
        <translation>- den Ton ausschalten</translation>
    </message>
    <message>
        <source>Right-click the board for a menu of the Ctrl keys.</source>
        <translation>Ein Rechtsklick auf das Spielfeld öffnet ein Menü mit den Strg-Tastenkürzeln.</translation>
    </message>
    <message>
        <source>Attributions:</source>
        <translation>Nachweise:</translation>
    </message>
    <message>
        <source>For sound management, Tesselo uses:</source>
        <translation>Für den Ton verwendet Tesselo:</translation>
    </message>
    <message>
        <source>SDL2 and SDL2_mixer (libsdl.org), under the zlib licence.</source>
        <translation>SDL2 und SDL2_mixer (libsdl.org) unter der zlib-Lizenz.</translation>
    </message>
    <message>
        <source>The sound effects were synthesised for this program by its makers, as were all its pictures.</source>
        <translation>Alle Klänge und Bilder haben die Macher dieses Programms eigens dafür erzeugt.</translation>
    </message>
    <message>
        <source>Sounds are from:</source>
        <translation>Herkunft der Klänge:</translation>
    </message>
    <message>
        <source>The Tesselo team: every cue is synthesised by code,</source>
        <translation>Das Tesselo-Team: Jeder Klang wird per Code erzeugt,</translation>
    </message>
    <message>
        <source>in tools/make_sounds.cpp, when the game is built.</source>
        <translation>in tools/make_sounds.cpp, beim Bauen des Spiels.</translation>
    </message>
    <message>
        <source>No recording by anyone else is used.</source>
        <translation>Aufnahmen Dritter werden nicht verwendet.</translation>
    </message>
    <message>
        <source>Pictures: drawn by code in tools/make_art.cpp.</source>
        <translation>Bilder: per Code gezeichnet in tools/make_art.cpp.</translation>
    </message>
    <message>
        <source>Windows and pictures: Qt 6 (qt.io), under the LGPL 3.</source>
        <translation>Fenster und Bilder: Qt 6 (qt.io) unter der LGPL 3.</translation>
    </message>
    <message>
        <source>For more detail, see the accompanying file &quot;Attributions.txt&quot;</source>
        <translation>Einzelheiten stehen in der beiliegenden Datei „Attributions.txt“.</translation>
    </message>
</context>
<context>
    <name>tesselo::COptionDlg</name>
    <message>
        <source>Set Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Schwierigkeit</translation>
    </message>
    <message>
        <source>Picture Directory</source>
        <translation>Bilderordner</translation>
    </message>
    <message>
        <source>Style</source>
        <extracomment>What counts in a game: the moves (Strategy) or the time (Speed)</extracomment>
        <translation>Spielweise</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>The low end of the volume slider: no sound</extracomment>
        <translation>Aus</translation>
    </message>
    <message>
        <source>The picture folder&apos;s name is too long: at most %1 characters can be kept.</source>
        <translation>Der Name des Bilderordners ist zu lang: Höchstens %1 Zeichen können gespeichert werden.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <extracomment>A choice of file types in the file dialog</extracomment>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
</context>
<context>
    <name>tesselo::CSplashDlg</name>
    <message>
        <source>A sliding picture puzzle by the Tesselo team</source>
        <translation>Ein Schiebepuzzle mit Bildern, vom Tesselo-Team</translation>
    </message>
    <message>
        <source>Proceed</source>
        <translation>Weiter</translation>
    </message>
</context>
<context>
    <name>tesselo::DisplayNames</name>
    <message>
        <source>Novice</source>
        <extracomment>Level: the 2 x 3 grid</extracomment>
        <translation>Anfänger</translation>
    </message>
    <message>
        <source>Pro</source>
        <extracomment>Level: the 3 x 3 grid</extracomment>
        <translation>Profi</translation>
    </message>
    <message>
        <source>Expert</source>
        <extracomment>Level: the 3 x 4 grid</extracomment>
        <translation>Experte</translation>
    </message>
    <message>
        <source>Genius</source>
        <extracomment>Level: the 4 x 6 grid</extracomment>
        <translation>Genie</translation>
    </message>
    <message>
        <source>Strategy</source>
        <extracomment>Style: the fewest moves win</extracomment>
        <translation>Strategie</translation>
    </message>
    <message>
        <source>Speed</source>
        <extracomment>Style: the shortest time wins, against a ticking stopwatch</extracomment>
        <translation>Tempo</translation>
    </message>
</context>
</TS>
