<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>tesselo::ActivityStrip</name>
    <message numerus="yes">
        <source>%1: %n win(s)</source>
        <comment>wins on a day</comment>
        <translation>
            <numerusform>%1: %n Sieg</numerusform>
            <numerusform>%1: %n Siege</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n day(s) in a row with a win</source>
        <comment>without help, ending today or yesterday</comment>
        <translation>
            <numerusform>Aktuelle Serie: %n Tag in Folge mit einem Sieg</numerusform>
            <numerusform>Aktuelle Serie: %n Tage in Folge mit einem Sieg</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Wins in the last year: %n</source>
        <translation>
            <numerusform>Siege im letzten Jahr: %n</numerusform>
            <numerusform>Siege im letzten Jahr: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Wins a day</source>
        <translation>Siege pro Tag</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Aktivität</translation>
    </message>
    <message numerus="yes">
        <source>%n win(s) on %1 of the last %2 days; a streak of %3 days.</source>
        <translation>
            <numerusform>%n Sieg an %1 der letzten %2 Tage; eine Serie von %3 Tagen.</numerusform>
            <numerusform>%n Siege an %1 der letzten %2 Tage; eine Serie von %3 Tagen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::AnimationSaver</name>
    <message>
        <source>Animated GIF (*.gif)</source>
        <translation>Animiertes GIF (*.gif)</translation>
    </message>
    <message>
        <source>Animated WebP (*.webp)</source>
        <translation>Animiertes WebP (*.webp)</translation>
    </message>
    <message>
        <source>Save Replay as Animation</source>
        <translation>Wiederholung als Animation speichern</translation>
    </message>
    <message>
        <source>Making the animation…</source>
        <translation>Die Animation wird erstellt…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>tesselo::BoardAccessible</name>
    <message>
        <source>belongs at row %1, column %2</source>
        <translation>gehört in Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Spielfeld</translation>
    </message>
    <message>
        <source>%1 rows by %2 columns; each cell says the number of the tile it holds and where that tile belongs</source>
        <translation>%1 Zeilen mal %2 Spalten; jede Zelle nennt die Nummer ihres Teils und wohin es gehört</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Spalte %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Verdeckt</translation>
    </message>
</context>
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
        <source>Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay, M solve map.</source>
        <translation>Strg+Z rückgängig, Strg+Y wiederholen, Strg+R Bestenliste, Strg+P Wiedergabe, M Lösungskarte.</translation>
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
    <message>
        <source>H shows a hint: the next move of the shortest way known.</source>
        <translation>H zeigt einen Tipp: den nächsten Zug des kürzesten bekannten Wegs.</translation>
    </message>
    <message>
        <source>Shift+H solves: it plays that way a move at a time until a key or click.</source>
        <translation>Umschalt+H löst: Das Spiel zieht diesen Weg Zug für Zug, bis Sie eine Taste drücken oder klicken.</translation>
    </message>
    <message>
        <source>P pauses a Speed game; P or a click goes on.</source>
        <translation>P hält ein Tempo-Spiel an; P oder ein Klick setzt es fort.</translation>
    </message>
    <message>
        <source>Ctrl+C copies the game ID, Ctrl+V plays the game ID copied, Ctrl+D plays the daily puzzle.</source>
        <translation>Strg+C kopiert den Spielcode, Strg+V spielt den kopierten Spielcode, Strg+D spielt das Tagesrätsel.</translation>
    </message>
    <message>
        <source>Right-click the board for a menu of every command and its key.</source>
        <translation>Ein Rechtsklick auf das Spielfeld öffnet ein Menü mit allen Befehlen und ihren Tasten.</translation>
    </message>
    <message>
        <source>In a terminal, &quot;tesselo --solve&quot; prints a way back from the saved game, in moves such as:</source>
        <translation>Im Terminal gibt „tesselo --solve“ einen Weg zurück aus dem gespeicherten Spiel aus, in Zügen wie:</translation>
    </message>
    <message>
        <source>R2+1: row 2 one cell right; R2-3: three cells left</source>
        <translation>R2+1: Zeile 2 ein Feld nach rechts; R2-3: drei Felder nach links</translation>
    </message>
    <message>
        <source>C4+2: column 4 two cells down; C4-1: one cell up</source>
        <translation>C4+2: Spalte 4 zwei Felder nach unten; C4-1: ein Feld nach oben</translation>
    </message>
    <message>
        <source>N shows or hides the numbers on the tiles: each tile&apos;s place in the finished picture, counted along the rows.</source>
        <translation>N zeigt oder verbirgt die Zahlen auf den Teilen: den Platz jedes Teils im fertigen Bild, zeilenweise gezählt.</translation>
    </message>
    <message>
        <source>- Show a number on each tile, for pictures with few clues</source>
        <translation>- auf jedem Teil eine Zahl zeigen, für Bilder mit wenigen Anhaltspunkten</translation>
    </message>
    <message>
        <source>A game ID names the grid and a number: Expert-2718281828 on a level, 5x7-2718281828 on a custom grid of 5 rows and 7 columns.</source>
        <translation>Ein Spielcode nennt das Raster und eine Zahl: Expert-2718281828 auf einer Stufe, 5x7-2718281828 auf einem eigenen Raster aus 5 Zeilen und 7 Spalten.</translation>
    </message>
    <message>
        <source>- Set the difficulty: a level, or a custom grid of 2 to 20 rows and 2 to 20 columns</source>
        <translation>- die Schwierigkeit wählen: eine Stufe oder ein eigenes Raster aus 2 bis 20 Zeilen und 2 bis 20 Spalten</translation>
    </message>
    <message>
        <source>Game controller:</source>
        <translation>Gamecontroller:</translation>
    </message>
    <message>
        <source>On a touch screen, drag a row or column with a finger; a tap selects.</source>
        <translation>Auf einem Touchscreen eine Zeile oder Spalte mit dem Finger ziehen; Antippen wählt aus.</translation>
    </message>
    <message>
        <source>A first button, B undo, right shoulder redo, X hint, Y numbers, Start pause.</source>
        <translation>A erste Schaltfläche, B rückgängig, rechte Schultertaste wiederholen, X Tipp, Y Zahlen, Start Pause.</translation>
    </message>
    <message>
        <source>D-pad or left stick slides the selected row or column; the right stick (or the left shoulder held) moves the selection.</source>
        <translation>Steuerkreuz oder linker Stick schieben die ausgewählte Zeile oder Spalte; der rechte Stick (oder die linke Schultertaste gedrückt) bewegt die Auswahl.</translation>
    </message>
    <message>
        <source>Ctrl+Shift+C copies the replay of a win, which Ctrl+V plays too; Ctrl+Shift+R races your best: its solve plays beside yours.</source>
        <translation>Strg+Umschalt+C kopiert die Wiederholung eines Siegs, die auch Strg+V abspielt; Strg+Umschalt+R tritt gegen Ihre Bestleistung an: deren Lösung läuft neben Ihrer.</translation>
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
    <message>
        <source>Animate moves</source>
        <translation>Züge gleiten lassen</translation>
    </message>
    <message>
        <source>Custom</source>
        <extracomment>A grid of any counts of rows and columns, beside the four levels</extracomment>
        <translation>Eigenes Raster</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Zeilen:</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Spalten:</translation>
    </message>
    <message>
        <source>Numbers on tiles</source>
        <extracomment>Each tile shows its number in a corner</extracomment>
        <translation>Zahlen auf den Teilen</translation>
    </message>
    <message>
        <source>Browse for a picture</source>
        <translation>Ein Bild suchen</translation>
    </message>
    <message>
        <source>The folder of the picture you choose becomes the picture directory.</source>
        <translation>Der Ordner des gewählten Bildes wird zum Bilderordner.</translation>
    </message>
</context>
<context>
    <name>tesselo::CRecordsDlg</name>
    <message>
        <source>Tesselo Records</source>
        <translation>Tesselo-Bestenliste</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Spielweise</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Bestwert</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Siege</translation>
    </message>
    <message>
        <source>Average of 5</source>
        <translation>Schnitt aus 5</translation>
    </message>
    <message>
        <source>Average of 12</source>
        <translation>Schnitt aus 12</translation>
    </message>
    <message>
        <source>Replay</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Clear Records</source>
        <translation>Bestenliste löschen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Daily Puzzles</source>
        <translation>Tagesrätsel</translation>
    </message>
    <message>
        <source>Clear all records?

The file is kept under another name, so nothing is lost.</source>
        <translation>Die ganze Bestenliste löschen?

Die Datei wird unter einem anderen Namen aufbewahrt, es geht also nichts verloren.</translation>
    </message>
    <message>
        <source>Opening the records…</source>
        <translation>Die Bestenliste wird geöffnet…</translation>
    </message>
    <message>
        <source>Importing the wins kept by an earlier version of Tesselo…</source>
        <translation>Die Siege einer früheren Tesselo-Version werden übernommen…</translation>
    </message>
    <message>
        <source>%v of %m</source>
        <comment>wins imported of all the wins to import</comment>
        <translation>%v von %m</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>The four levels, then every other grid size you have won, the most recent first.</source>
        <translation>Die vier Stufen, dann jede andere Rastergröße, auf der Sie gewonnen haben, die jüngste zuerst.</translation>
    </message>
    <message>
        <source>Grid and Style</source>
        <translation>Raster und Spielweise</translation>
    </message>
    <message>
        <source>&amp;Grid:</source>
        <translation>&amp;Raster:</translation>
    </message>
    <message>
        <source>Solve Map</source>
        <translation>Lösungskarte</translation>
    </message>
    <message>
        <source>Mean of 3</source>
        <translation>Mittel aus 3</translation>
    </message>
    <message>
        <source>Average of 50</source>
        <translation>Schnitt aus 50</translation>
    </message>
    <message>
        <source>Average of 100</source>
        <translation>Schnitt aus 100</translation>
    </message>
    <message>
        <source>Best Mean of 3</source>
        <translation>Bestes Mittel aus 3</translation>
    </message>
    <message>
        <source>Best Average of 5</source>
        <translation>Bester Schnitt aus 5</translation>
    </message>
    <message>
        <source>Best Average of 12</source>
        <translation>Bester Schnitt aus 12</translation>
    </message>
    <message>
        <source>Best Average of 50</source>
        <translation>Bester Schnitt aus 50</translation>
    </message>
    <message>
        <source>Best Average of 100</source>
        <translation>Bester Schnitt aus 100</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Standard Deviation</source>
        <translation>Standardabweichung</translation>
    </message>
    <message>
        <source>The mean of 3 counts the last 3 wins; the averages leave out the best and the worst of the last 5, 12, 50 or 100 (one of each end of 5 and 12, three of 50, five of 100). The best of each is the best over every run of wins in a row; the mean and the standard deviation are of every win. Wins with help count among the wins, and for nothing else.</source>
        <translation>Das Mittel aus 3 zählt die letzten 3 Siege; die Schnitte lassen die besten und die schlechtesten der letzten 5, 12, 50 oder 100 weg (je eines an jedem Ende von 5 und 12, drei von 50, fünf von 100). Das Beste jedes Werts ist das beste über alle Folgen von Siegen; Mittelwert und Standardabweichung gelten allen Siegen. Siege mit Hilfe zählen zu den Siegen und sonst nirgends.</translation>
    </message>
    <message>
        <source>Copy Replay</source>
        <translation>Wiederholung kopieren</translation>
    </message>
    <message>
        <source>Puts the win&apos;s replay code on the clipboard: one line of text that holds the start and every move, which Tesselo plays again when it is pasted (Ctrl+V).</source>
        <translation>Legt den Wiederholungscode des Siegs in die Zwischenablage: eine Textzeile mit dem Anfang und jedem Zug, die Tesselo beim Einfügen (Strg+V) erneut abspielt.</translation>
    </message>
    <message>
        <source>Summary of the chosen grid</source>
        <translation>Übersicht des gewählten Rasters</translation>
    </message>
    <message>
        <source>Save Replay as Animation…</source>
        <translation>Wiederholung als Animation speichern…</translation>
    </message>
    <message>
        <source>Saves the win&apos;s replay as an animated GIF or WebP: the board alone, every move gliding, the whole picture at the end.</source>
        <translation>Speichert die Wiederholung des Siegs als animiertes GIF oder WebP: nur das Spielfeld, jeder Zug gleitend, am Ende das ganze Bild.</translation>
    </message>
    <message>
        <source>Race</source>
        <translation>Wettlauf</translation>
    </message>
    <message>
        <source>Plays the win&apos;s start again as a new game, its solve beside yours as a ghost at the pace it was played.</source>
        <translation>Spielt den Anfang dieses Siegs als neues Spiel noch einmal; seine Lösung läuft als Geist neben Ihrer, im Tempo, in dem sie gespielt wurde.</translation>
    </message>
    <message>
        <source>This win was not kept with every move from its start, so it cannot be raced.</source>
        <translation>Dieser Sieg wurde nicht mit jedem Zug ab seinem Anfang gespeichert, daher kann man nicht gegen ihn antreten.</translation>
    </message>
    <message>
        <source>Views of the records</source>
        <translation>Ansichten der Bestenliste</translation>
    </message>
</context>
<context>
    <name>tesselo::CSolveMapDlg</name>
    <message>
        <source>Solve Map</source>
        <translation>Lösungskarte</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; a move along a shortest way &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; a move away from solved &amp;nbsp; - - - at most (the best plan known)</source>
        <translation>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; ein Zug auf einem kürzesten Weg &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; ein Zug weg von der Lösung &amp;nbsp; - - - höchstens (der beste bekannte Plan)</translation>
    </message>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved.</source>
        <translation>
            <numerusform>Nach Zug %1: %n Schub bis gelöst.</numerusform>
            <numerusform>Nach Zug %1: %n Schübe bis gelöst.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved.</source>
        <translation>
            <numerusform>Nach Zug %1: höchstens %n Schub bis gelöst.</numerusform>
            <numerusform>Nach Zug %1: höchstens %n Schübe bis gelöst.</numerusform>
        </translation>
    </message>
    <message>
        <source>The arrow shows the next move of the shortest way known.</source>
        <translation>Der Pfeil zeigt den nächsten Zug des kürzesten bekannten Wegs.</translation>
    </message>
    <message>
        <source>This solve cannot be mapped.</source>
        <translation>Für diese Lösung lässt sich keine Karte erstellen.</translation>
    </message>
    <message>
        <source>Working out the map: %1 of %2 moves.</source>
        <translation>Die Karte wird erstellt: %1 von %2 Zügen.</translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) in all.</source>
        <translation>
            <numerusform>%n Zug insgesamt.</numerusform>
            <numerusform>%n Züge insgesamt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n took the board further from solved.</source>
        <translation>
            <numerusform>%n entfernte das Spielfeld weiter von der Lösung.</numerusform>
            <numerusform>%n entfernten das Spielfeld weiter von der Lösung.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n went along a shortest way.</source>
        <translation>
            <numerusform>%n folgte einem kürzesten Weg.</numerusform>
            <numerusform>%n folgten einem kürzesten Weg.</numerusform>
        </translation>
    </message>
    <message>
        <source>Dashed distances are the best plans known, not proven shortest.</source>
        <translation>Gestrichelte Abstände sind die besten bekannten Pläne, nicht als kürzeste bewiesen.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; a move along a shortest way &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; a move away from solved</source>
        <translation>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; ein Zug auf einem kürzesten Weg &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; ein Zug weg von der Lösung</translation>
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
    <name>tesselo::CTesseloDlg</name>
    <message>
        <source>Tesselo - New record!</source>
        <translation>Tesselo - Neuer Rekord!</translation>
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
        <source>Replay Solve</source>
        <translation>Lösung wiedergeben</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>Solve</source>
        <translation>Lösen</translation>
    </message>
    <message>
        <source>Numbers on Tiles</source>
        <translation>Zahlen auf den Teilen</translation>
    </message>
    <message>
        <source>Solve Map</source>
        <translation>Lösungskarte</translation>
    </message>
</context>
<context>
    <name>tesselo::ChartWidget</name>
    <message>
        <source>The picture could not be written.</source>
        <translation>Das Bild konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Save Chart as PNG…</source>
        <translation>Diagramm als PNG speichern…</translation>
    </message>
    <message>
        <source>Save Chart as PNG</source>
        <translation>Diagramm als PNG speichern</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>PNG-Bilder (*.png)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: %2</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation>„%1“ ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
</context>
<context>
    <name>tesselo::DailyWinsPage</name>
    <message>
        <source>Puzzle</source>
        <translation>Rätsel</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Spielweise</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Days are the UTC dates that name the puzzles. A puzzle won with help is listed but extends no streak. Today&apos;s puzzle, still to be won, breaks no streak.</source>
        <translation>Die Tage sind die UTC-Daten, nach denen die Rätsel benannt sind. Ein mit Hilfe gelöstes Rätsel wird aufgeführt, verlängert aber keine Serie. Das heutige Rätsel unterbricht keine Serie, solange es noch zu gewinnen ist.</translation>
    </message>
    <message numerus="yes">
        <source>Current streak (days): %n</source>
        <comment>consecutive days whose daily puzzle was won</comment>
        <translation>
            <numerusform>Aktuelle Serie: %n Tag</numerusform>
            <numerusform>Aktuelle Serie: %n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The newest %n daily wins</source>
        <translation>
            <numerusform>Neueste Tagessiege: %n</numerusform>
            <numerusform>Neueste Tagessiege: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Daily wins: %n</source>
        <translation>
            <numerusform>Tagessiege: %n</numerusform>
            <numerusform>Tagessiege: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Daily puzzles won</source>
        <translation>Gewonnene Tagesrätsel</translation>
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
    <message>
        <source>%1 × %2</source>
        <extracomment>A grid no level has: its rows and columns, as &quot;5 × 7&quot;</extracomment>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Fewest Moves</source>
        <extracomment>Style: explore freely; the result is the solution&apos;s length with its detours taken out</extracomment>
        <translation>Wenigste Züge</translation>
    </message>
    <message>
        <source>Blind</source>
        <extracomment>Style: the picture hides at the first move; the player says when it is whole</extracomment>
        <translation>Blind</translation>
    </message>
</context>
<context>
    <name>tesselo::GameBar</name>
    <message>
        <source>New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Moves:</source>
        <translation>Züge:</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Reset Game</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Done</source>
        <extracomment>The first button in a &quot;Blind&quot; game: the player says the picture is whole</extracomment>
        <translation>Fertig</translation>
    </message>
    <message numerus="yes">
        <source>Solved in %n move(s)</source>
        <translation>
            <numerusform>Gelöst in %n Zug</numerusform>
            <numerusform>Gelöst in %n Zügen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Solved in %1</source>
        <translation>Gelöst in %1</translation>
    </message>
    <message>
        <source>Did not finish (DNF) in %1</source>
        <extracomment>A &quot;Blind&quot; game declared over on a picture not whole</extracomment>
        <translation>Nicht beendet (DNF) in %1</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>Pausiert</translation>
    </message>
    <message>
        <source>Resumed</source>
        <translation>Fortgesetzt</translation>
    </message>
</context>
<context>
    <name>tesselo::GameSharing</name>
    <message>
        <source>Copy Game ID</source>
        <translation>Spielcode kopieren</translation>
    </message>
    <message>
        <source>Daily Puzzle</source>
        <translation>Tagesrätsel</translation>
    </message>
    <message>
        <source>The clipboard holds no game ID. A game ID names a grid and a number, such as %1 or %2.</source>
        <translation>In der Zwischenablage steht kein Spielcode. Ein Spielcode nennt ein Raster und eine Zahl, etwa %1 oder %2.</translation>
    </message>
    <message>
        <source>Copy Replay</source>
        <translation>Wiederholung kopieren</translation>
    </message>
    <message>
        <source>Paste Game ID or Replay</source>
        <translation>Spiel-ID oder Wiederholung einfügen</translation>
    </message>
    <message>
        <source>Copy Result</source>
        <translation>Ergebnis kopieren</translation>
    </message>
    <message>
        <source>Save Replay as Animation…</source>
        <translation>Wiederholung als Animation speichern…</translation>
    </message>
</context>
<context>
    <name>tesselo::KindWinsPage</name>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Best first</source>
        <translation>Beste zuerst</translation>
    </message>
    <message>
        <source>Newest first</source>
        <translation>Neueste zuerst</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>&amp;Order:</source>
        <translation>&amp;Reihenfolge:</translation>
    </message>
    <message>
        <source>Wins of the chosen grid and style</source>
        <translation>Siege des gewählten Rasters und der gewählten Spielweise</translation>
    </message>
    <message>
        <source>The fewest moves possible</source>
        <translation>Die wenigsten möglichen Züge</translation>
    </message>
    <message>
        <source>No wins yet</source>
        <translation>Noch keine Siege</translation>
    </message>
    <message numerus="yes">
        <source>Wins %1 to %2 of %n</source>
        <translation>
            <numerusform>Sieg %1 bis %2 von %n</numerusform>
            <numerusform>Siege %1 bis %2 von %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) played</source>
        <translation>
            <numerusform>%n Zug gespielt</numerusform>
            <numerusform>%n Züge gespielt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::PauseKeeper</name>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
</context>
<context>
    <name>tesselo::PausedPanel</name>
    <message>
        <source>Paused</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Press P or click the board to go on.</source>
        <translation>Drücken Sie P oder klicken Sie auf das Spielfeld, um weiterzuspielen.</translation>
    </message>
</context>
<context>
    <name>tesselo::PlayerMessages</name>
    <message>
        <source>Keep Playing</source>
        <translation>Weiterspielen</translation>
    </message>
    <message>
        <source>The game could not be saved.</source>
        <translation>Das Spiel konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>

Close the window again to retry, or close without saving.</source>
        <translation>

Schließen Sie das Fenster noch einmal, um es erneut zu versuchen, oder schließen Sie ohne zu speichern.</translation>
    </message>
    <message>
        <source>Close Without Saving</source>
        <translation>Ohne Speichern schließen</translation>
    </message>
    <message numerus="yes">
        <source>%n win(s) could not be written to the records in &quot;%1&quot;.</source>
        <translation>
            <numerusform>%n Sieg konnte nicht in die Bestenliste in „%1“ geschrieben werden.</numerusform>
            <numerusform>%n Siege konnten nicht in die Bestenliste in „%1“ geschrieben werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>No slides can bring this board back to the whole picture, so there is no hint and no solve.</source>
        <translation>Keine Verschiebung bringt dieses Spielfeld zum ganzen Bild zurück, daher gibt es keinen Tipp und keine Lösung.</translation>
    </message>
    <message numerus="yes">
        <source>

Close the window again to retry, or close and lose %n win(s).</source>
        <translation>
            <numerusform>

Schließen Sie das Fenster noch einmal, um es erneut zu versuchen, oder schließen Sie und verwerfen Sie %n Sieg.</numerusform>
            <numerusform>

Schließen Sie das Fenster noch einmal, um es erneut zu versuchen, oder schließen Sie und verwerfen Sie %n Siege.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Close and Lose %n Win(s)</source>
        <translation>
            <numerusform>Schließen und %n Sieg verwerfen</numerusform>
            <numerusform>Schließen und %n Siege verwerfen</numerusform>
        </translation>
    </message>
    <message>
        <source>The settings could not be saved to &quot;tesselo.ini&quot;.</source>
        <translation>Die Einstellungen konnten nicht in „tesselo.ini“ gespeichert werden.</translation>
    </message>
    <message>
        <source>

They hold until Tesselo closes, and will be lost then.</source>
        <translation>

Sie gelten, bis Tesselo geschlossen wird, und gehen dann verloren.</translation>
    </message>
</context>
<context>
    <name>tesselo::ProgressPanel</name>
    <message>
        <source>Show &amp;moves per second</source>
        <translation>&amp;Züge pro Sekunde zeigen</translation>
    </message>
    <message>
        <source>The moves of each win over its time, on the axis at the right</source>
        <translation>Die Züge jedes Siegs geteilt durch seine Zeit, auf der Achse rechts</translation>
    </message>
    <message>
        <source>Reading the wins…</source>
        <translation>Die Siege werden gelesen…</translation>
    </message>
    <message>
        <source>No wins of this grid and style yet.</source>
        <translation>Noch keine Siege in diesem Raster und dieser Spielweise.</translation>
    </message>
</context>
<context>
    <name>tesselo::RaceSession</name>
    <message>
        <source>Race Your Best</source>
        <translation>Gegen Ihre Bestleistung antreten</translation>
    </message>
    <message>
        <source>There is no best of this grid and style kept with its moves to race.</source>
        <translation>Für dieses Raster und diese Spielweise gibt es keine mit ihren Zügen gespeicherte Bestleistung, gegen die Sie antreten könnten.</translation>
    </message>
    <message>
        <source>Race lost: did not finish</source>
        <translation>Wettlauf verloren: nicht beendet</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Race won: %1 ahead of your best</source>
        <translation>Wettlauf gewonnen: %1 vor Ihrer Bestleistung</translation>
    </message>
    <message numerus="yes">
        <source>Race won: %n move(s) fewer than your best</source>
        <translation>
            <numerusform>Wettlauf gewonnen: %n Zug weniger als Ihre Bestleistung</numerusform>
            <numerusform>Wettlauf gewonnen: %n Züge weniger als Ihre Bestleistung</numerusform>
        </translation>
    </message>
    <message>
        <source>Race lost: %1 behind your best</source>
        <translation>Wettlauf verloren: %1 hinter Ihrer Bestleistung</translation>
    </message>
    <message numerus="yes">
        <source>Race lost: %n move(s) more than your best</source>
        <translation>
            <numerusform>Wettlauf verloren: %n Zug mehr als Ihre Bestleistung</numerusform>
            <numerusform>Wettlauf verloren: %n Züge mehr als Ihre Bestleistung</numerusform>
        </translation>
    </message>
    <message>
        <source>Race even with your best</source>
        <translation>Wettlauf unentschieden gegen Ihre Bestleistung</translation>
    </message>
</context>
<context>
    <name>tesselo::Records</name>
    <message>
        <source>Your win could not be written to the records in &quot;%1&quot;:
%2

It is kept, and will be written with your next win or when the game closes.</source>
        <translation>Ihr Sieg konnte nicht in die Bestenliste in „%1“ geschrieben werden:
%2

Er bleibt erhalten und wird mit Ihrem nächsten Sieg oder beim Beenden des Spiels geschrieben.</translation>
    </message>
    <message>
        <source>Another window of Tesselo kept the records busy for too long.</source>
        <translation>Ein anderes Tesselo-Fenster hat die Bestenliste zu lange belegt.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>The disk may only be read.</source>
        <translation>Der Datenträger ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>Its folder does not exist.</source>
        <translation>Ihr Ordner existiert nicht.</translation>
    </message>
    <message>
        <source>The folder or the file may not be written.</source>
        <translation>Der Ordner oder die Datei ist schreibgeschützt.</translation>
    </message>
    <message>
        <source>The disk reported an error: %1</source>
        <translation>Der Datenträger meldet einen Fehler: %1</translation>
    </message>
    <message>
        <source>The file is damaged.</source>
        <translation>Die Datei ist beschädigt.</translation>
    </message>
    <message>
        <source>SQLite reported: %1</source>
        <translation>SQLite meldet: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be set aside.</source>
        <translation>„%1“ konnte nicht beiseitegelegt werden.</translation>
    </message>
    <message>
        <source>It was written by a newer version of Tesselo, which this version leaves as it is.</source>
        <translation>Sie wurde von einer neueren Tesselo-Version geschrieben; diese Version lässt sie unverändert.</translation>
    </message>
    <message>
        <source>It is damaged, and could not be set aside: %1</source>
        <translation>Sie ist beschädigt und konnte nicht beiseitegelegt werden: %1</translation>
    </message>
    <message>
        <source>The file kept changing while the game wrote to it.</source>
        <translation>Die Datei hat sich beim Schreiben ständig geändert.</translation>
    </message>
    <message>
        <source>Your win could not be written to the records in &quot;%1&quot;:
%2

It could not be kept in a file either: the game holds it until it closes, and tries again with your next win and at the close.</source>
        <translation>Ihr Sieg konnte nicht in die Bestenliste in „%1“ geschrieben werden:
%2

Er konnte auch in keiner anderen Datei gesichert werden: Das Spiel hält ihn, bis es beendet wird, und versucht es mit Ihrem nächsten Sieg und beim Beenden erneut.</translation>
    </message>
</context>
<context>
    <name>tesselo::RecordsTable</name>
    <message numerus="yes">
        <source>%n move(s)</source>
        <comment>moves the game made for the player</comment>
        <translation>
            <numerusform>%n Zug</numerusform>
            <numerusform>%n Züge</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ReplayCode</name>
    <message>
        <source>The replay code is far longer than any solve&apos;s.</source>
        <translation>Der Wiederholungscode ist weit länger als der jeder Lösung.</translation>
    </message>
    <message>
        <source>This is no replay code: one begins with &quot;tesselo-replay&quot;, then a version, a style, a start and the moves.</source>
        <translation>Das ist kein Wiederholungscode: Einer beginnt mit „tesselo-replay“, dann folgen eine Version, ein Stil, ein Anfang und die Züge.</translation>
    </message>
    <message>
        <source>This replay code was written by another version of Tesselo, which this one cannot read.</source>
        <translation>Dieser Wiederholungscode stammt von einer anderen Version von Tesselo, die diese nicht lesen kann.</translation>
    </message>
    <message>
        <source>The replay code names no style the game plays.</source>
        <translation>Der Wiederholungscode nennt keinen Stil, den das Spiel kennt.</translation>
    </message>
    <message>
        <source>The replay code&apos;s start is no arrangement of a grid the game plays that slides can solve.</source>
        <translation>Der Anfang des Wiederholungscodes ist keine durch Schieben lösbare Anordnung eines Rasters, das das Spiel kennt.</translation>
    </message>
    <message>
        <source>The replay code&apos;s start is neither a game ID nor an arrangement of a grid the game plays.</source>
        <translation>Der Anfang des Wiederholungscodes ist weder eine Spiel-ID noch eine Anordnung eines Rasters, das das Spiel kennt.</translation>
    </message>
    <message>
        <source>The replay code has more moves than a game keeps.</source>
        <translation>Der Wiederholungscode hat mehr Züge, als ein Spiel aufbewahrt.</translation>
    </message>
    <message>
        <source>The replay code&apos;s move %1 (&quot;%2&quot;) is no move of its grid.</source>
        <translation>Zug %1 des Wiederholungscodes („%2“) ist kein Zug seines Rasters.</translation>
    </message>
</context>
<context>
    <name>tesselo::ReplayExport</name>
    <message>
        <source>An animation is saved as GIF or WebP: the file&apos;s name must end in .gif or .webp.</source>
        <translation>Eine Animation wird als GIF oder WebP gespeichert: Der Dateiname muss auf .gif oder .webp enden.</translation>
    </message>
    <message>
        <source>This solve has no board to show.</source>
        <translation>Diese Lösung hat kein Spielfeld, das sich zeigen ließe.</translation>
    </message>
    <message>
        <source>The board could not be painted at %1 x %2 pixels.</source>
        <translation>Das Spielfeld konnte nicht mit %1 x %2 Pixeln gezeichnet werden.</translation>
    </message>
    <message>
        <source>The animation could not be made (%1).</source>
        <translation>Die Animation konnte nicht erstellt werden (%1).</translation>
    </message>
    <message>
        <source>The animation could not be saved as &quot;%1&quot;: %2</source>
        <translation>Die Animation konnte nicht als „%1“ gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>tesselo::ResultText</name>
    <message numerus="yes">
        <source>Tesselo daily puzzle %1, %2: %n move(s)</source>
        <translation>
            <numerusform>Tesselo-Tagesrätsel %1, %2: %n Zug</numerusform>
            <numerusform>Tesselo-Tagesrätsel %1, %2: %n Züge</numerusform>
        </translation>
    </message>
    <message>
        <source>(par %1, %2)</source>
        <translation>(Par %1, %2)</translation>
    </message>
    <message>
        <source>with help</source>
        <translation>mit Hilfe</translation>
    </message>
    <message numerus="yes">
        <source>+%n over the shortest</source>
        <translation>
            <numerusform>+%n über dem kürzesten Weg</numerusform>
            <numerusform>+%n über dem kürzesten Weg</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n under par</source>
        <translation>
            <numerusform>-%n unter Par</numerusform>
            <numerusform>-%n unter Par</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n over par</source>
        <translation>
            <numerusform>+%n über Par</numerusform>
            <numerusform>+%n über Par</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ResultsHistogram</name>
    <message numerus="yes">
        <source>%1 moves: %n win(s)</source>
        <comment>wins without help with this many moves</comment>
        <translation>
            <numerusform>%1 Züge: %n Sieg</numerusform>
            <numerusform>%1 Züge: %n Siege</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to under %2: %n win(s)</source>
        <comment>wins without help in this range of times</comment>
        <translation>
            <numerusform>%1 bis unter %2: %n Sieg</numerusform>
            <numerusform>%1 bis unter %2: %n Siege</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to %2 moves: %n win(s)</source>
        <comment>wins without help in this range of moves</comment>
        <translation>
            <numerusform>%1 bis %2 Züge: %n Sieg</numerusform>
            <numerusform>%1 bis %2 Züge: %n Siege</numerusform>
        </translation>
    </message>
    <message>
        <source>Results without help</source>
        <translation>Ergebnisse ohne Hilfe</translation>
    </message>
    <message>
        <source>Average of 12: %1</source>
        <translation>Schnitt aus 12: %1</translation>
    </message>
    <message>
        <source>Results histogram</source>
        <translation>Verteilung der Ergebnisse</translation>
    </message>
    <message>
        <source>No results without help yet.</source>
        <translation>Noch keine Ergebnisse ohne Hilfe.</translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) without help in bins from %1 to %2; the fullest holds %3.</source>
        <translation>
            <numerusform>%n Ergebnis ohne Hilfe in Klassen von %1 bis %2; die vollste hält %3.</numerusform>
            <numerusform>%n Ergebnisse ohne Hilfe in Klassen von %1 bis %2; die vollste hält %3.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::SafeFile</name>
    <message>
        <source>&quot;%1&quot; is a loop of links.</source>
        <translation>„%1“ ist eine Schleife von Verknüpfungen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file; it was left as it is.</source>
        <translation>„%1“ ist keine Datei; sie wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link to &quot;%2&quot;, which this game did not write; it was left as it is.</source>
        <translation>„%1“ ist eine Verknüpfung auf „%2“, das nicht von diesem Spiel stammt; beides wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be set aside: every name for it is taken.</source>
        <translation>„%1“ konnte nicht beiseitegelegt werden: Alle Namen dafür sind vergeben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link to &quot;%2&quot;, which is not there; it was left as it is.</source>
        <translation>„%1“ ist ein Verweis auf „%2“, das es nicht gibt; er wurde gelassen, wie er ist.</translation>
    </message>
</context>
<context>
    <name>tesselo::SavedGameStore</name>
    <message>
        <source>The game could not be encoded.</source>
        <translation>Das Spiel konnte nicht kodiert werden.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed, and its game would resume in place of this one.</source>
        <translation>„%1“ konnte nicht entfernt werden, und sein Spiel würde an Stelle dieses Spiels fortgesetzt.</translation>
    </message>
</context>
<context>
    <name>tesselo::SolveMapChart</name>
    <message>
        <source>Solve Map</source>
        <translation>Lösungskarte</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Slides to solved</source>
        <translation>Schübe bis gelöst</translation>
    </message>
    <message>
        <source>Par %1</source>
        <translation>Par %1</translation>
    </message>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved</source>
        <translation>
            <numerusform>Nach Zug %1: %n Schub bis gelöst</numerusform>
            <numerusform>Nach Zug %1: %n Schübe bis gelöst</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved</source>
        <translation>
            <numerusform>Nach Zug %1: höchstens %n Schub bis gelöst</numerusform>
            <numerusform>Nach Zug %1: höchstens %n Schübe bis gelöst</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) mapped</source>
        <translation>
            <numerusform>%n Zug kartiert</numerusform>
            <numerusform>%n Züge kartiert</numerusform>
        </translation>
    </message>
    <message>
        <source>par %1</source>
        <translation>Par %1</translation>
    </message>
    <message numerus="yes">
        <source>%n along a shortest way.</source>
        <translation>
            <numerusform>%n auf einem kürzesten Weg.</numerusform>
            <numerusform>%n auf einem kürzesten Weg.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::TrendChart</name>
    <message>
        <source>Win</source>
        <translation>Sieg</translation>
    </message>
    <message>
        <source>With help</source>
        <translation>Mit Hilfe</translation>
    </message>
    <message>
        <source>Average of 5</source>
        <translation>Schnitt aus 5</translation>
    </message>
    <message>
        <source>Average of 12</source>
        <translation>Schnitt aus 12</translation>
    </message>
    <message>
        <source>Best so far</source>
        <translation>Bestwert bisher</translation>
    </message>
    <message>
        <source>Moves per second</source>
        <translation>Züge pro Sekunde</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>Ergebnis: %1</translation>
    </message>
    <message>
        <source>Moves: %1</source>
        <translation>Züge: %1</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Zeit: %1</translation>
    </message>
    <message>
        <source>Par: %1 (the fewest possible)</source>
        <translation>Par: %1 (die wenigsten möglichen)</translation>
    </message>
    <message>
        <source>Par: %1</source>
        <translation>Par: %1</translation>
    </message>
    <message>
        <source>Par: unknown</source>
        <translation>Par: unbekannt</translation>
    </message>
    <message>
        <source>Won with help</source>
        <translation>Mit Hilfe gewonnen</translation>
    </message>
    <message>
        <source>Click to replay</source>
        <translation>Zum Abspielen klicken</translation>
    </message>
    <message>
        <source>Kept without its moves</source>
        <translation>Ohne seine Züge aufbewahrt</translation>
    </message>
    <message>
        <source>The wheel zooms the dates, a drag moves them; a click on a win replays it.</source>
        <translation>Das Mausrad zoomt die Daten, Ziehen verschiebt sie; ein Klick auf einen Sieg spielt ihn ab.</translation>
    </message>
    <message>
        <source>No wins of this grid and style yet.</source>
        <translation>Noch keine Siege in diesem Raster und dieser Spielweise.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Züge</translation>
    </message>
    <message>
        <source>Average of 50</source>
        <translation>Schnitt aus 50</translation>
    </message>
    <message>
        <source>Average of 100</source>
        <translation>Schnitt aus 100</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1: no wins yet.</source>
        <translation>%1: noch keine Siege.</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n win(s) from %2 to %3.</source>
        <translation>
            <numerusform>%1: %n Sieg vom %2 bis %3.</numerusform>
            <numerusform>%1: %n Siege vom %2 bis %3.</numerusform>
        </translation>
    </message>
    <message>
        <source>Best %1.</source>
        <translation>Bestwert %1.</translation>
    </message>
    <message>
        <source>Latest average of 5: %1.</source>
        <translation>Letzter Schnitt aus 5: %1.</translation>
    </message>
    <message>
        <source>Latest average of 12: %1.</source>
        <translation>Letzter Schnitt aus 12: %1.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
</context>
</TS>
