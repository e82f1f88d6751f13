<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>tesselo::ActivityStrip</name>
    <message numerus="yes">
        <source>%1: %n win(s)</source>
        <comment>wins on a day</comment>
        <translation>
            <numerusform>%1: %n victoria</numerusform>
            <numerusform>%1: %n victorias</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n day(s) in a row with a win</source>
        <comment>without help, ending today or yesterday</comment>
        <translation>
            <numerusform>Racha actual: %n día seguido con una victoria</numerusform>
            <numerusform>Racha actual: %n días seguidos con una victoria</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Wins in the last year: %n</source>
        <translation>
            <numerusform>Victorias en el último año: %n</numerusform>
            <numerusform>Victorias en el último año: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Wins a day</source>
        <translation>Victorias por día</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Actividad</translation>
    </message>
    <message numerus="yes">
        <source>%n win(s) on %1 of the last %2 days; a streak of %3 days.</source>
        <translation>
            <numerusform>%n victoria en %1 de los últimos %2 días; una racha de %3 días.</numerusform>
            <numerusform>%n victorias en %1 de los últimos %2 días; una racha de %3 días.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::AnimationSaver</name>
    <message>
        <source>Animated GIF (*.gif)</source>
        <translation>GIF animado (*.gif)</translation>
    </message>
    <message>
        <source>Animated WebP (*.webp)</source>
        <translation>WebP animado (*.webp)</translation>
    </message>
    <message>
        <source>Save Replay as Animation</source>
        <translation>Guardar la repetición como animación</translation>
    </message>
    <message>
        <source>Making the animation…</source>
        <translation>Creando la animación…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>tesselo::BoardAccessible</name>
    <message>
        <source>belongs at row %1, column %2</source>
        <translation>va en la fila %1, columna %2</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Tablero</translation>
    </message>
    <message>
        <source>%1 rows by %2 columns; each cell says the number of the tile it holds and where that tile belongs</source>
        <translation>%1 filas por %2 columnas; cada casilla dice el número de su pieza y adónde va</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Columna %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Fila %1</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Oculta</translation>
    </message>
</context>
<context>
    <name>tesselo::CHelpDlg</name>
    <message>
        <source>Tesselo Help</source>
        <translation>Ayuda de Tesselo</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Instructions:</source>
        <translation>Cómo jugar:</translation>
    </message>
    <message>
        <source>Click &quot;New Game&quot; to start playing.</source>
        <translation>Haz clic en «Nueva partida» para empezar.</translation>
    </message>
    <message>
        <source>Click and drag the image to re-assemble the picture.</source>
        <translation>Haz clic en la imagen y arrástrala para recomponerla.</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Teclado:</translation>
    </message>
    <message>
        <source>Use right and left arrow keys to slide the selected row.</source>
        <translation>Las flechas izquierda y derecha deslizan la fila seleccionada.</translation>
    </message>
    <message>
        <source>Use up and down arrow keys to slide the selected column.</source>
        <translation>Las flechas arriba y abajo deslizan la columna seleccionada.</translation>
    </message>
    <message>
        <source>Use Shift + arrow keys to change the selection.</source>
        <translation>Mayúsculas + flechas cambian la selección.</translation>
    </message>
    <message>
        <source>Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay, M solve map.</source>
        <translation>Control+Z deshacer, Control+Y rehacer, Control+R récords, Control+P repetición, M mapa de la resolución.</translation>
    </message>
    <message>
        <source>About Tesselo</source>
        <translation>Acerca de Tesselo</translation>
    </message>
    <message>
        <source>Tesselo version 1.00, made by the Tesselo team.</source>
        <translation>Tesselo versión 1.00, del equipo de Tesselo.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Tesselo team.</source>
        <translation>Copyright (C) 2026 el equipo de Tesselo.</translation>
    </message>
    <message>
        <source>Tesselo is free software, distributed under the MIT licence.</source>
        <translation>Tesselo es software libre, distribuido bajo la licencia MIT.</translation>
    </message>
    <message>
        <source>The licence is set out in the file &quot;Attributions.txt&quot; beside the program, and at https://opensource.org/license/mit.</source>
        <translation>La licencia figura en el archivo «Attributions.txt», junto al programa, y en https://opensource.org/license/mit.</translation>
    </message>
    <message>
        <source>USE AT YOUR OWN RISK!</source>
        <translation>¡ÚSALO BAJO TU PROPIA RESPONSABILIDAD!</translation>
    </message>
    <message>
        <source>This software is  not warranted safe or fit for any purpose whatsoever.</source>
        <translation>Este software no ofrece garantía alguna de seguridad ni de idoneidad para ningún fin.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>Click the Options button to:</source>
        <translation>Con el botón Opciones puedes:</translation>
    </message>
    <message>
        <source>- Set the style: strategy (fewest moves) or speed (shortest time)</source>
        <translation>- Elegir el modo: estrategia (menos movimientos) o velocidad (menos tiempo)</translation>
    </message>
    <message>
        <source>- Choose new pictures (a new picture folder).  .BMP, .JPG, .GIF and .PNG files supported.</source>
        <translation>- Elegir otras imágenes (otra carpeta de imágenes). Admite archivos BMP, JPG, GIF y PNG.</translation>
    </message>
    <message>
        <source>- Turn off the sound</source>
        <translation>- Quitar el sonido</translation>
    </message>
    <message>
        <source>Attributions:</source>
        <translation>Créditos:</translation>
    </message>
    <message>
        <source>For sound management, Tesselo uses:</source>
        <translation>Para el sonido, Tesselo usa:</translation>
    </message>
    <message>
        <source>SDL2 and SDL2_mixer (libsdl.org), under the zlib licence.</source>
        <translation>SDL2 y SDL2_mixer (libsdl.org), con licencia zlib.</translation>
    </message>
    <message>
        <source>The sound effects were synthesised for this program by its makers, as were all its pictures.</source>
        <translation>Sus autores sintetizaron los efectos de sonido para este programa, igual que todas sus imágenes.</translation>
    </message>
    <message>
        <source>Sounds are from:</source>
        <translation>Origen de los sonidos:</translation>
    </message>
    <message>
        <source>The Tesselo team: every cue is synthesised by code,</source>
        <translation>El equipo de Tesselo: cada sonido se sintetiza con código,</translation>
    </message>
    <message>
        <source>in tools/make_sounds.cpp, when the game is built.</source>
        <translation>en tools/make_sounds.cpp, al compilar el juego.</translation>
    </message>
    <message>
        <source>No recording by anyone else is used.</source>
        <translation>No se usa ninguna grabación ajena.</translation>
    </message>
    <message>
        <source>Pictures: drawn by code in tools/make_art.cpp.</source>
        <translation>Imágenes: dibujadas con código en tools/make_art.cpp.</translation>
    </message>
    <message>
        <source>Windows and pictures: Qt 6 (qt.io), under the LGPL 3.</source>
        <translation>Ventanas e imágenes: Qt 6 (qt.io), con licencia LGPL 3.</translation>
    </message>
    <message>
        <source>For more detail, see the accompanying file &quot;Attributions.txt&quot;</source>
        <translation>Para más detalles, consulta el archivo adjunto «Attributions.txt».</translation>
    </message>
    <message>
        <source>H shows a hint: the next move of the shortest way known.</source>
        <translation>H muestra una pista: el siguiente movimiento del camino más corto conocido.</translation>
    </message>
    <message>
        <source>Shift+H solves: it plays that way a move at a time until a key or click.</source>
        <translation>Mayúsculas+H resuelve: recorre ese camino movimiento a movimiento hasta que pulses una tecla o hagas clic.</translation>
    </message>
    <message>
        <source>P pauses a Speed game; P or a click goes on.</source>
        <translation>P pausa una partida de Velocidad; P o un clic la reanuda.</translation>
    </message>
    <message>
        <source>Ctrl+C copies the game ID, Ctrl+V plays the game ID copied, Ctrl+D plays the daily puzzle.</source>
        <translation>Control+C copia el código de partida, Control+V juega el código de partida copiado, Control+D juega el puzle del día.</translation>
    </message>
    <message>
        <source>Right-click the board for a menu of every command and its key.</source>
        <translation>Haz clic derecho en el tablero para ver un menú con todas las órdenes y sus teclas.</translation>
    </message>
    <message>
        <source>In a terminal, &quot;tesselo --solve&quot; prints a way back from the saved game, in moves such as:</source>
        <translation>En una terminal, «tesselo --solve» muestra un camino de vuelta desde la partida guardada, con movimientos como:</translation>
    </message>
    <message>
        <source>R2+1: row 2 one cell right; R2-3: three cells left</source>
        <translation>R2+1: fila 2 una casilla a la derecha; R2-3: tres casillas a la izquierda</translation>
    </message>
    <message>
        <source>C4+2: column 4 two cells down; C4-1: one cell up</source>
        <translation>C4+2: columna 4 dos casillas hacia abajo; C4-1: una casilla hacia arriba</translation>
    </message>
    <message>
        <source>N shows or hides the numbers on the tiles: each tile&apos;s place in the finished picture, counted along the rows.</source>
        <translation>N muestra u oculta los números de las piezas: el lugar de cada pieza en la imagen terminada, contado por filas.</translation>
    </message>
    <message>
        <source>- Show a number on each tile, for pictures with few clues</source>
        <translation>- Mostrar un número en cada pieza, para imágenes con pocas pistas</translation>
    </message>
    <message>
        <source>A game ID names the grid and a number: Expert-2718281828 on a level, 5x7-2718281828 on a custom grid of 5 rows and 7 columns.</source>
        <translation>Un código de partida indica la cuadrícula y un número: Expert-2718281828 en un nivel, 5x7-2718281828 en una cuadrícula personalizada de 5 filas y 7 columnas.</translation>
    </message>
    <message>
        <source>- Set the difficulty: a level, or a custom grid of 2 to 20 rows and 2 to 20 columns</source>
        <translation>- Elegir la dificultad: un nivel o una cuadrícula personalizada de 2 a 20 filas y de 2 a 20 columnas</translation>
    </message>
    <message>
        <source>Game controller:</source>
        <translation>Mando de juego:</translation>
    </message>
    <message>
        <source>On a touch screen, drag a row or column with a finger; a tap selects.</source>
        <translation>En una pantalla táctil, arrastra una fila o columna con el dedo; un toque selecciona.</translation>
    </message>
    <message>
        <source>A first button, B undo, right shoulder redo, X hint, Y numbers, Start pause.</source>
        <translation>A primer botón, B deshacer, botón superior derecho rehacer, X pista, Y números, Start pausa.</translation>
    </message>
    <message>
        <source>D-pad or left stick slides the selected row or column; the right stick (or the left shoulder held) moves the selection.</source>
        <translation>La cruceta o el stick izquierdo deslizan la fila o columna elegida; el stick derecho (o el botón superior izquierdo mantenido) mueve la selección.</translation>
    </message>
    <message>
        <source>Ctrl+Shift+C copies the replay of a win, which Ctrl+V plays too; Ctrl+Shift+R races your best: its solve plays beside yours.</source>
        <translation>Control+Mayúsculas+C copia la repetición de una victoria, que Control+V también reproduce; Control+Mayúsculas+R desafía tu récord: su solución se juega junto a la tuya.</translation>
    </message>
</context>
<context>
    <name>tesselo::COptionDlg</name>
    <message>
        <source>Set Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Dificultad</translation>
    </message>
    <message>
        <source>Picture Directory</source>
        <translation>Carpeta de imágenes</translation>
    </message>
    <message>
        <source>Style</source>
        <extracomment>What counts in a game: the moves (Strategy) or the time (Speed)</extracomment>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>The low end of the volume slider: no sound</extracomment>
        <translation>Mudo</translation>
    </message>
    <message>
        <source>The picture folder&apos;s name is too long: at most %1 characters can be kept.</source>
        <translation>El nombre de la carpeta de imágenes es demasiado largo: se pueden guardar %1 caracteres como máximo.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <extracomment>A choice of file types in the file dialog</extracomment>
        <translation>Imágenes</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Todos los archivos</translation>
    </message>
    <message>
        <source>Animate moves</source>
        <translation>Animar los movimientos</translation>
    </message>
    <message>
        <source>Custom</source>
        <extracomment>A grid of any counts of rows and columns, beside the four levels</extracomment>
        <translation>Personalizado</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Filas:</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Columnas:</translation>
    </message>
    <message>
        <source>Numbers on tiles</source>
        <extracomment>Each tile shows its number in a corner</extracomment>
        <translation>Números en las piezas</translation>
    </message>
    <message>
        <source>Browse for a picture</source>
        <translation>Buscar una imagen</translation>
    </message>
    <message>
        <source>The folder of the picture you choose becomes the picture directory.</source>
        <translation>La carpeta de la imagen que elijas pasa a ser la carpeta de imágenes.</translation>
    </message>
</context>
<context>
    <name>tesselo::CRecordsDlg</name>
    <message>
        <source>Tesselo Records</source>
        <translation>Récords de Tesselo</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Mejor</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Victorias</translation>
    </message>
    <message>
        <source>Average of 5</source>
        <translation>Media de 5</translation>
    </message>
    <message>
        <source>Average of 12</source>
        <translation>Media de 12</translation>
    </message>
    <message>
        <source>Replay</source>
        <translation>Repetición</translation>
    </message>
    <message>
        <source>Clear Records</source>
        <translation>Borrar récords</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Daily Puzzles</source>
        <translation>Puzles del día</translation>
    </message>
    <message>
        <source>Clear all records?

The file is kept under another name, so nothing is lost.</source>
        <translation>¿Borrar todos los récords?

El archivo se guarda con otro nombre, así que no se pierde nada.</translation>
    </message>
    <message>
        <source>Opening the records…</source>
        <translation>Abriendo los récords…</translation>
    </message>
    <message>
        <source>Importing the wins kept by an earlier version of Tesselo…</source>
        <translation>Importando las victorias guardadas por una versión anterior de Tesselo…</translation>
    </message>
    <message>
        <source>%v of %m</source>
        <comment>wins imported of all the wins to import</comment>
        <translation>%v de %m</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
    <message>
        <source>The four levels, then every other grid size you have won, the most recent first.</source>
        <translation>Los cuatro niveles y luego los demás tamaños de cuadrícula en los que has ganado, del más reciente al más antiguo.</translation>
    </message>
    <message>
        <source>Grid and Style</source>
        <translation>Cuadrícula y modo</translation>
    </message>
    <message>
        <source>&amp;Grid:</source>
        <translation>&amp;Cuadrícula:</translation>
    </message>
    <message>
        <source>Solve Map</source>
        <translation>Mapa de la resolución</translation>
    </message>
    <message>
        <source>Mean of 3</source>
        <translation>Media de 3</translation>
    </message>
    <message>
        <source>Average of 50</source>
        <translation>Media de 50</translation>
    </message>
    <message>
        <source>Average of 100</source>
        <translation>Media de 100</translation>
    </message>
    <message>
        <source>Best Mean of 3</source>
        <translation>Mejor media de 3</translation>
    </message>
    <message>
        <source>Best Average of 5</source>
        <translation>Mejor media de 5</translation>
    </message>
    <message>
        <source>Best Average of 12</source>
        <translation>Mejor media de 12</translation>
    </message>
    <message>
        <source>Best Average of 50</source>
        <translation>Mejor media de 50</translation>
    </message>
    <message>
        <source>Best Average of 100</source>
        <translation>Mejor media de 100</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>Standard Deviation</source>
        <translation>Desviación típica</translation>
    </message>
    <message>
        <source>The mean of 3 counts the last 3 wins; the averages leave out the best and the worst of the last 5, 12, 50 or 100 (one of each end of 5 and 12, three of 50, five of 100). The best of each is the best over every run of wins in a row; the mean and the standard deviation are of every win. Wins with help count among the wins, and for nothing else.</source>
        <translation>La media de 3 cuenta las 3 últimas victorias; las medias de 5, 12, 50 o 100 dejan fuera las mejores y las peores (una de cada extremo en 5 y 12, tres en 50, cinco en 100). La mejor de cada una es la mejor sobre todas las rachas de victorias; la media y la desviación típica son de todas las victorias. Las victorias con ayuda cuentan entre las victorias y para nada más.</translation>
    </message>
    <message>
        <source>Copy Replay</source>
        <translation>Copiar repetición</translation>
    </message>
    <message>
        <source>Puts the win&apos;s replay code on the clipboard: one line of text that holds the start and every move, which Tesselo plays again when it is pasted (Ctrl+V).</source>
        <translation>Pone en el portapapeles el código de repetición de la victoria: una línea de texto con el inicio y cada movimiento, que Tesselo vuelve a jugar al pegarla (Ctrl+V).</translation>
    </message>
    <message>
        <source>Summary of the chosen grid</source>
        <translation>Resumen de la cuadrícula elegida</translation>
    </message>
    <message>
        <source>Save Replay as Animation…</source>
        <translation>Guardar la repetición como animación…</translation>
    </message>
    <message>
        <source>Saves the win&apos;s replay as an animated GIF or WebP: the board alone, every move gliding, the whole picture at the end.</source>
        <translation>Guarda la repetición de la victoria como GIF o WebP animado: solo el tablero, cada movimiento deslizándose, la imagen entera al final.</translation>
    </message>
    <message>
        <source>Race</source>
        <translation>Carrera</translation>
    </message>
    <message>
        <source>Plays the win&apos;s start again as a new game, its solve beside yours as a ghost at the pace it was played.</source>
        <translation>Vuelve a jugar el comienzo de esta victoria como una partida nueva, con su solución junto a la tuya como un fantasma, al ritmo en que se jugó.</translation>
    </message>
    <message>
        <source>This win was not kept with every move from its start, so it cannot be raced.</source>
        <translation>Esta victoria no se guardó con todos sus movimientos desde el comienzo, así que no se puede desafiar.</translation>
    </message>
    <message>
        <source>Views of the records</source>
        <translation>Vistas de los récords</translation>
    </message>
</context>
<context>
    <name>tesselo::CSolveMapDlg</name>
    <message>
        <source>Solve Map</source>
        <translation>Mapa de la resolución</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; a move along a shortest way &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; a move away from solved &amp;nbsp; - - - at most (the best plan known)</source>
        <translation>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; un movimiento por un camino más corto &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; un movimiento que aleja de la solución &amp;nbsp; - - - como mucho (el mejor plan conocido)</translation>
    </message>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved.</source>
        <translation>
            <numerusform>Tras el movimiento %1: a %n deslizamiento de resolver.</numerusform>
            <numerusform>Tras el movimiento %1: a %n deslizamientos de resolver.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved.</source>
        <translation>
            <numerusform>Tras el movimiento %1: como mucho a %n deslizamiento de resolver.</numerusform>
            <numerusform>Tras el movimiento %1: como mucho a %n deslizamientos de resolver.</numerusform>
        </translation>
    </message>
    <message>
        <source>The arrow shows the next move of the shortest way known.</source>
        <translation>La flecha muestra el siguiente movimiento del camino más corto conocido.</translation>
    </message>
    <message>
        <source>This solve cannot be mapped.</source>
        <translation>No se puede trazar el mapa de esta resolución.</translation>
    </message>
    <message>
        <source>Working out the map: %1 of %2 moves.</source>
        <translation>Calculando el mapa: %1 de %2 movimientos.</translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) in all.</source>
        <translation>
            <numerusform>%n movimiento en total.</numerusform>
            <numerusform>%n movimientos en total.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n took the board further from solved.</source>
        <translation>
            <numerusform>%n alejó el tablero de la solución.</numerusform>
            <numerusform>%n alejaron el tablero de la solución.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n went along a shortest way.</source>
        <translation>
            <numerusform>%n siguió un camino más corto.</numerusform>
            <numerusform>%n siguieron un camino más corto.</numerusform>
        </translation>
    </message>
    <message>
        <source>Dashed distances are the best plans known, not proven shortest.</source>
        <translation>Las distancias discontinuas son los mejores planes conocidos, sin prueba de ser los más cortos.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; a move along a shortest way &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; a move away from solved</source>
        <translation>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; un movimiento por un camino más corto &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; un movimiento que aleja de la solución</translation>
    </message>
</context>
<context>
    <name>tesselo::CSplashDlg</name>
    <message>
        <source>A sliding picture puzzle by the Tesselo team</source>
        <translation>Un puzle de imágenes deslizantes, del equipo de Tesselo</translation>
    </message>
    <message>
        <source>Proceed</source>
        <translation>Continuar</translation>
    </message>
</context>
<context>
    <name>tesselo::CTesseloDlg</name>
    <message>
        <source>Tesselo - New record!</source>
        <translation>Tesselo - ¡Nuevo récord!</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rehacer</translation>
    </message>
    <message>
        <source>Replay Solve</source>
        <translation>Ver repetición</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Pista</translation>
    </message>
    <message>
        <source>Solve</source>
        <translation>Resolver</translation>
    </message>
    <message>
        <source>Numbers on Tiles</source>
        <translation>Números en las piezas</translation>
    </message>
    <message>
        <source>Solve Map</source>
        <translation>Mapa de la resolución</translation>
    </message>
</context>
<context>
    <name>tesselo::ChartWidget</name>
    <message>
        <source>The picture could not be written.</source>
        <translation>No se pudo escribir la imagen.</translation>
    </message>
    <message>
        <source>Save Chart as PNG…</source>
        <translation>Guardar el gráfico como PNG…</translation>
    </message>
    <message>
        <source>Save Chart as PNG</source>
        <translation>Guardar el gráfico como PNG</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Imágenes PNG (*.png)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: %2</source>
        <translation>No se pudo escribir «%1»: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation>«%1» ya existe.
¿Quieres reemplazarlo?</translation>
    </message>
</context>
<context>
    <name>tesselo::DailyWinsPage</name>
    <message>
        <source>Puzzle</source>
        <translation>Puzle</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivel</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Modo</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Movimientos</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Days are the UTC dates that name the puzzles. A puzzle won with help is listed but extends no streak. Today&apos;s puzzle, still to be won, breaks no streak.</source>
        <translation>Los días son las fechas UTC que dan nombre a los puzles. Un puzle ganado con ayuda aparece en la lista pero no alarga ninguna racha. El puzle de hoy, mientras quede por ganar, no rompe ninguna racha.</translation>
    </message>
    <message numerus="yes">
        <source>Current streak (days): %n</source>
        <comment>consecutive days whose daily puzzle was won</comment>
        <translation>
            <numerusform>Racha actual: %n día</numerusform>
            <numerusform>Racha actual: %n días</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The newest %n daily wins</source>
        <translation>
            <numerusform>Victorias diarias más recientes: %n</numerusform>
            <numerusform>Victorias diarias más recientes: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Daily wins: %n</source>
        <translation>
            <numerusform>Victorias diarias: %n</numerusform>
            <numerusform>Victorias diarias: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Daily puzzles won</source>
        <translation>Puzles del día ganados</translation>
    </message>
</context>
<context>
    <name>tesselo::DisplayNames</name>
    <message>
        <source>Novice</source>
        <extracomment>Level: the 2 x 3 grid</extracomment>
        <translation>Novato</translation>
    </message>
    <message>
        <source>Pro</source>
        <extracomment>Level: the 3 x 3 grid</extracomment>
        <translation>Pro</translation>
    </message>
    <message>
        <source>Expert</source>
        <extracomment>Level: the 3 x 4 grid</extracomment>
        <translation>Experto</translation>
    </message>
    <message>
        <source>Genius</source>
        <extracomment>Level: the 4 x 6 grid</extracomment>
        <translation>Genio</translation>
    </message>
    <message>
        <source>Strategy</source>
        <extracomment>Style: the fewest moves win</extracomment>
        <translation>Estrategia</translation>
    </message>
    <message>
        <source>Speed</source>
        <extracomment>Style: the shortest time wins, against a ticking stopwatch</extracomment>
        <translation>Velocidad</translation>
    </message>
    <message>
        <source>%1 × %2</source>
        <extracomment>A grid no level has: its rows and columns, as &quot;5 × 7&quot;</extracomment>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Fewest Moves</source>
        <extracomment>Style: explore freely; the result is the solution&apos;s length with its detours taken out</extracomment>
        <translation>Menos movimientos</translation>
    </message>
    <message>
        <source>Blind</source>
        <extracomment>Style: the picture hides at the first move; the player says when it is whole</extracomment>
        <translation>A ciegas</translation>
    </message>
</context>
<context>
    <name>tesselo::GameBar</name>
    <message>
        <source>New Game</source>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opciones</translation>
    </message>
    <message>
        <source>Moves:</source>
        <translation>Movimientos:</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Reset Game</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Tiempo:</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Done</source>
        <extracomment>The first button in a &quot;Blind&quot; game: the player says the picture is whole</extracomment>
        <translation>Hecho</translation>
    </message>
    <message numerus="yes">
        <source>Solved in %n move(s)</source>
        <translation>
            <numerusform>Resuelto en %n movimiento</numerusform>
            <numerusform>Resuelto en %n movimientos</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Solved in %1</source>
        <translation>Resuelto en %1</translation>
    </message>
    <message>
        <source>Did not finish (DNF) in %1</source>
        <extracomment>A &quot;Blind&quot; game declared over on a picture not whole</extracomment>
        <translation>No terminado (DNF) en %1</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pausa</translation>
    </message>
    <message>
        <source>Resumed</source>
        <translation>Reanudado</translation>
    </message>
</context>
<context>
    <name>tesselo::GameSharing</name>
    <message>
        <source>Copy Game ID</source>
        <translation>Copiar código de partida</translation>
    </message>
    <message>
        <source>Daily Puzzle</source>
        <translation>Puzle del día</translation>
    </message>
    <message>
        <source>The clipboard holds no game ID. A game ID names a grid and a number, such as %1 or %2.</source>
        <translation>El portapapeles no contiene ningún código de partida. Un código de partida indica una cuadrícula y un número, como %1 o %2.</translation>
    </message>
    <message>
        <source>Copy Replay</source>
        <translation>Copiar repetición</translation>
    </message>
    <message>
        <source>Paste Game ID or Replay</source>
        <translation>Pegar ID de partida o repetición</translation>
    </message>
    <message>
        <source>Copy Result</source>
        <translation>Copiar resultado</translation>
    </message>
    <message>
        <source>Save Replay as Animation…</source>
        <translation>Guardar la repetición como animación…</translation>
    </message>
</context>
<context>
    <name>tesselo::KindWinsPage</name>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Movimientos</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Best first</source>
        <translation>Mejores primero</translation>
    </message>
    <message>
        <source>Newest first</source>
        <translation>Más recientes primero</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Anteriores</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Siguientes</translation>
    </message>
    <message>
        <source>&amp;Order:</source>
        <translation>&amp;Orden:</translation>
    </message>
    <message>
        <source>Wins of the chosen grid and style</source>
        <translation>Victorias de la cuadrícula y el modo elegidos</translation>
    </message>
    <message>
        <source>The fewest moves possible</source>
        <translation>El mínimo de movimientos posible</translation>
    </message>
    <message>
        <source>No wins yet</source>
        <translation>Aún no hay victorias</translation>
    </message>
    <message numerus="yes">
        <source>Wins %1 to %2 of %n</source>
        <translation>
            <numerusform>Victorias %1 a %2 de %n</numerusform>
            <numerusform>Victorias %1 a %2 de %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) played</source>
        <translation>
            <numerusform>%n movimiento jugado</numerusform>
            <numerusform>%n movimientos jugados</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::PauseKeeper</name>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
</context>
<context>
    <name>tesselo::PausedPanel</name>
    <message>
        <source>Paused</source>
        <translation>En pausa</translation>
    </message>
    <message>
        <source>Press P or click the board to go on.</source>
        <translation>Pulsa P o haz clic en el tablero para seguir.</translation>
    </message>
</context>
<context>
    <name>tesselo::PlayerMessages</name>
    <message>
        <source>Keep Playing</source>
        <translation>Seguir jugando</translation>
    </message>
    <message>
        <source>The game could not be saved.</source>
        <translation>No se pudo guardar la partida.</translation>
    </message>
    <message>
        <source>

Close the window again to retry, or close without saving.</source>
        <translation>

Vuelve a cerrar la ventana para intentarlo de nuevo, o ciérrala sin guardar.</translation>
    </message>
    <message>
        <source>Close Without Saving</source>
        <translation>Cerrar sin guardar</translation>
    </message>
    <message numerus="yes">
        <source>%n win(s) could not be written to the records in &quot;%1&quot;.</source>
        <translation>
            <numerusform>No se pudo guardar %n victoria en los récords de «%1».</numerusform>
            <numerusform>No se pudieron guardar %n victorias en los récords de «%1».</numerusform>
        </translation>
    </message>
    <message>
        <source>No slides can bring this board back to the whole picture, so there is no hint and no solve.</source>
        <translation>Ningún deslizamiento puede devolver este tablero a la imagen completa, así que no hay pista ni solución.</translation>
    </message>
    <message numerus="yes">
        <source>

Close the window again to retry, or close and lose %n win(s).</source>
        <translation>
            <numerusform>

Cierre la ventana de nuevo para reintentarlo, o cierre y pierda %n victoria.</numerusform>
            <numerusform>

Cierre la ventana de nuevo para reintentarlo, o cierre y pierda %n victorias.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Close and Lose %n Win(s)</source>
        <translation>
            <numerusform>Cerrar y perder %n victoria</numerusform>
            <numerusform>Cerrar y perder %n victorias</numerusform>
        </translation>
    </message>
    <message>
        <source>The settings could not be saved to &quot;tesselo.ini&quot;.</source>
        <translation>No se pudieron guardar los ajustes en «tesselo.ini».</translation>
    </message>
    <message>
        <source>

They hold until Tesselo closes, and will be lost then.</source>
        <translation>

Se mantienen hasta que Tesselo se cierre, y entonces se perderán.</translation>
    </message>
</context>
<context>
    <name>tesselo::ProgressPanel</name>
    <message>
        <source>Show &amp;moves per second</source>
        <translation>Mostrar &amp;movimientos por segundo</translation>
    </message>
    <message>
        <source>The moves of each win over its time, on the axis at the right</source>
        <translation>Los movimientos de cada victoria divididos por su tiempo, en el eje de la derecha</translation>
    </message>
    <message>
        <source>Reading the wins…</source>
        <translation>Leyendo las victorias…</translation>
    </message>
    <message>
        <source>No wins of this grid and style yet.</source>
        <translation>Aún no hay victorias en esta cuadrícula y modo.</translation>
    </message>
</context>
<context>
    <name>tesselo::RaceSession</name>
    <message>
        <source>Race Your Best</source>
        <translation>Desafía tu récord</translation>
    </message>
    <message>
        <source>There is no best of this grid and style kept with its moves to race.</source>
        <translation>No hay ningún récord de esta cuadrícula y este modo guardado con sus movimientos para desafiarlo.</translation>
    </message>
    <message>
        <source>Race lost: did not finish</source>
        <translation>Carrera perdida: sin terminar</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Race won: %1 ahead of your best</source>
        <translation>Carrera ganada: %1 por delante de tu récord</translation>
    </message>
    <message numerus="yes">
        <source>Race won: %n move(s) fewer than your best</source>
        <translation>
            <numerusform>Carrera ganada: %n movimiento menos que tu récord</numerusform>
            <numerusform>Carrera ganada: %n movimientos menos que tu récord</numerusform>
        </translation>
    </message>
    <message>
        <source>Race lost: %1 behind your best</source>
        <translation>Carrera perdida: %1 por detrás de tu récord</translation>
    </message>
    <message numerus="yes">
        <source>Race lost: %n move(s) more than your best</source>
        <translation>
            <numerusform>Carrera perdida: %n movimiento más que tu récord</numerusform>
            <numerusform>Carrera perdida: %n movimientos más que tu récord</numerusform>
        </translation>
    </message>
    <message>
        <source>Race even with your best</source>
        <translation>Carrera empatada con tu récord</translation>
    </message>
</context>
<context>
    <name>tesselo::Records</name>
    <message>
        <source>Your win could not be written to the records in &quot;%1&quot;:
%2

It is kept, and will be written with your next win or when the game closes.</source>
        <translation>No se pudo guardar tu victoria en los récords de «%1»:
%2

Se conserva y se guardará con tu próxima victoria o al cerrar el juego.</translation>
    </message>
    <message>
        <source>Another window of Tesselo kept the records busy for too long.</source>
        <translation>Otra ventana de Tesselo ha tenido ocupados los récords demasiado tiempo.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>El disco está lleno.</translation>
    </message>
    <message>
        <source>The disk may only be read.</source>
        <translation>El disco es de solo lectura.</translation>
    </message>
    <message>
        <source>Its folder does not exist.</source>
        <translation>Su carpeta no existe.</translation>
    </message>
    <message>
        <source>The folder or the file may not be written.</source>
        <translation>No se puede escribir en la carpeta o en el archivo.</translation>
    </message>
    <message>
        <source>The disk reported an error: %1</source>
        <translation>El disco ha informado de un error: %1</translation>
    </message>
    <message>
        <source>The file is damaged.</source>
        <translation>El archivo está dañado.</translation>
    </message>
    <message>
        <source>SQLite reported: %1</source>
        <translation>SQLite informa: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be set aside.</source>
        <translation>No se pudo apartar «%1».</translation>
    </message>
    <message>
        <source>It was written by a newer version of Tesselo, which this version leaves as it is.</source>
        <translation>Lo escribió una versión más reciente de Tesselo, y esta versión lo deja como está.</translation>
    </message>
    <message>
        <source>It is damaged, and could not be set aside: %1</source>
        <translation>Está dañado y no se pudo apartar: %1</translation>
    </message>
    <message>
        <source>The file kept changing while the game wrote to it.</source>
        <translation>El archivo no dejó de cambiar mientras el juego escribía en él.</translation>
    </message>
    <message>
        <source>Your win could not be written to the records in &quot;%1&quot;:
%2

It could not be kept in a file either: the game holds it until it closes, and tries again with your next win and at the close.</source>
        <translation>Su victoria no se pudo escribir en los récords de «%1»:
%2

Tampoco se pudo guardar en un archivo: el juego la conserva hasta que se cierre, y lo vuelve a intentar con su próxima victoria y al cerrar.</translation>
    </message>
</context>
<context>
    <name>tesselo::RecordsTable</name>
    <message numerus="yes">
        <source>%n move(s)</source>
        <comment>moves the game made for the player</comment>
        <translation>
            <numerusform>%n movimiento</numerusform>
            <numerusform>%n movimientos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ReplayCode</name>
    <message>
        <source>The replay code is far longer than any solve&apos;s.</source>
        <translation>El código de repetición es mucho más largo que el de cualquier resolución.</translation>
    </message>
    <message>
        <source>This is no replay code: one begins with &quot;tesselo-replay&quot;, then a version, a style, a start and the moves.</source>
        <translation>Esto no es un código de repetición: uno empieza por «tesselo-replay», seguido de una versión, un estilo, un inicio y los movimientos.</translation>
    </message>
    <message>
        <source>This replay code was written by another version of Tesselo, which this one cannot read.</source>
        <translation>Este código de repetición lo escribió otra versión de Tesselo, que esta no sabe leer.</translation>
    </message>
    <message>
        <source>The replay code names no style the game plays.</source>
        <translation>El código de repetición no nombra ningún estilo del juego.</translation>
    </message>
    <message>
        <source>The replay code&apos;s start is no arrangement of a grid the game plays that slides can solve.</source>
        <translation>El inicio del código de repetición no es una disposición de una cuadrícula del juego que los deslizamientos puedan resolver.</translation>
    </message>
    <message>
        <source>The replay code&apos;s start is neither a game ID nor an arrangement of a grid the game plays.</source>
        <translation>El inicio del código de repetición no es ni un ID de partida ni una disposición de una cuadrícula del juego.</translation>
    </message>
    <message>
        <source>The replay code has more moves than a game keeps.</source>
        <translation>El código de repetición tiene más movimientos de los que guarda una partida.</translation>
    </message>
    <message>
        <source>The replay code&apos;s move %1 (&quot;%2&quot;) is no move of its grid.</source>
        <translation>El movimiento %1 del código de repetición («%2») no es un movimiento de su cuadrícula.</translation>
    </message>
</context>
<context>
    <name>tesselo::ReplayExport</name>
    <message>
        <source>An animation is saved as GIF or WebP: the file&apos;s name must end in .gif or .webp.</source>
        <translation>Una animación se guarda como GIF o WebP: el nombre del archivo debe terminar en .gif o .webp.</translation>
    </message>
    <message>
        <source>This solve has no board to show.</source>
        <translation>Esta resolución no tiene tablero que mostrar.</translation>
    </message>
    <message>
        <source>The board could not be painted at %1 x %2 pixels.</source>
        <translation>No se pudo dibujar el tablero a %1 x %2 píxeles.</translation>
    </message>
    <message>
        <source>The animation could not be made (%1).</source>
        <translation>No se pudo crear la animación (%1).</translation>
    </message>
    <message>
        <source>The animation could not be saved as &quot;%1&quot;: %2</source>
        <translation>No se pudo guardar la animación como «%1»: %2</translation>
    </message>
</context>
<context>
    <name>tesselo::ResultText</name>
    <message numerus="yes">
        <source>Tesselo daily puzzle %1, %2: %n move(s)</source>
        <translation>
            <numerusform>Puzle del día de Tesselo %1, %2: %n movimiento</numerusform>
            <numerusform>Puzle del día de Tesselo %1, %2: %n movimientos</numerusform>
        </translation>
    </message>
    <message>
        <source>(par %1, %2)</source>
        <translation>(par %1, %2)</translation>
    </message>
    <message>
        <source>with help</source>
        <translation>con ayuda</translation>
    </message>
    <message numerus="yes">
        <source>+%n over the shortest</source>
        <translation>
            <numerusform>+%n sobre el más corto</numerusform>
            <numerusform>+%n sobre el más corto</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n under par</source>
        <translation>
            <numerusform>-%n bajo par</numerusform>
            <numerusform>-%n bajo par</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n over par</source>
        <translation>
            <numerusform>+%n sobre par</numerusform>
            <numerusform>+%n sobre par</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ResultsHistogram</name>
    <message numerus="yes">
        <source>%1 moves: %n win(s)</source>
        <comment>wins without help with this many moves</comment>
        <translation>
            <numerusform>%1 movimientos: %n victoria</numerusform>
            <numerusform>%1 movimientos: %n victorias</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to under %2: %n win(s)</source>
        <comment>wins without help in this range of times</comment>
        <translation>
            <numerusform>De %1 a menos de %2: %n victoria</numerusform>
            <numerusform>De %1 a menos de %2: %n victorias</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to %2 moves: %n win(s)</source>
        <comment>wins without help in this range of moves</comment>
        <translation>
            <numerusform>De %1 a %2 movimientos: %n victoria</numerusform>
            <numerusform>De %1 a %2 movimientos: %n victorias</numerusform>
        </translation>
    </message>
    <message>
        <source>Results without help</source>
        <translation>Resultados sin ayuda</translation>
    </message>
    <message>
        <source>Average of 12: %1</source>
        <translation>Media de 12: %1</translation>
    </message>
    <message>
        <source>Results histogram</source>
        <translation>Histograma de resultados</translation>
    </message>
    <message>
        <source>No results without help yet.</source>
        <translation>Aún no hay resultados sin ayuda.</translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) without help in bins from %1 to %2; the fullest holds %3.</source>
        <translation>
            <numerusform>%n resultado sin ayuda en clases de %1 a %2; la más llena tiene %3.</numerusform>
            <numerusform>%n resultados sin ayuda en clases de %1 a %2; la más llena tiene %3.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::SafeFile</name>
    <message>
        <source>&quot;%1&quot; is a loop of links.</source>
        <translation>«%1» es un bucle de enlaces.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file; it was left as it is.</source>
        <translation>«%1» no es un archivo; se ha dejado como estaba.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link to &quot;%2&quot;, which this game did not write; it was left as it is.</source>
        <translation>«%1» es un enlace a «%2», que este juego no escribió; se ha dejado como estaba.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be set aside: every name for it is taken.</source>
        <translation>No se pudo apartar «%1»: todos los nombres posibles están ocupados.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link to &quot;%2&quot;, which is not there; it was left as it is.</source>
        <translation>«%1» es un enlace a «%2», que no existe; se ha dejado como está.</translation>
    </message>
</context>
<context>
    <name>tesselo::SavedGameStore</name>
    <message>
        <source>The game could not be encoded.</source>
        <translation>No se pudo codificar la partida.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed, and its game would resume in place of this one.</source>
        <translation>No se pudo eliminar «%1», y su partida se reanudaría en lugar de esta.</translation>
    </message>
</context>
<context>
    <name>tesselo::SolveMapChart</name>
    <message>
        <source>Solve Map</source>
        <translation>Mapa de la resolución</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Movimientos</translation>
    </message>
    <message>
        <source>Slides to solved</source>
        <translation>Deslizamientos restantes</translation>
    </message>
    <message>
        <source>Par %1</source>
        <translation>Par %1</translation>
    </message>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved</source>
        <translation>
            <numerusform>Tras el movimiento %1: a %n deslizamiento de resolver</numerusform>
            <numerusform>Tras el movimiento %1: a %n deslizamientos de resolver</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved</source>
        <translation>
            <numerusform>Tras el movimiento %1: como mucho a %n deslizamiento de resolver</numerusform>
            <numerusform>Tras el movimiento %1: como mucho a %n deslizamientos de resolver</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) mapped</source>
        <translation>
            <numerusform>%n movimiento trazado</numerusform>
            <numerusform>%n movimientos trazados</numerusform>
        </translation>
    </message>
    <message>
        <source>par %1</source>
        <translation>par %1</translation>
    </message>
    <message numerus="yes">
        <source>%n along a shortest way.</source>
        <translation>
            <numerusform>%n por un camino más corto.</numerusform>
            <numerusform>%n por un camino más corto.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::TrendChart</name>
    <message>
        <source>Win</source>
        <translation>Victoria</translation>
    </message>
    <message>
        <source>With help</source>
        <translation>Con ayuda</translation>
    </message>
    <message>
        <source>Average of 5</source>
        <translation>Media de 5</translation>
    </message>
    <message>
        <source>Average of 12</source>
        <translation>Media de 12</translation>
    </message>
    <message>
        <source>Best so far</source>
        <translation>Mejor hasta ahora</translation>
    </message>
    <message>
        <source>Moves per second</source>
        <translation>Movimientos por segundo</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>Resultado: %1</translation>
    </message>
    <message>
        <source>Moves: %1</source>
        <translation>Movimientos: %1</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Tiempo: %1</translation>
    </message>
    <message>
        <source>Par: %1 (the fewest possible)</source>
        <translation>Par: %1 (el mínimo posible)</translation>
    </message>
    <message>
        <source>Par: %1</source>
        <translation>Par: %1</translation>
    </message>
    <message>
        <source>Par: unknown</source>
        <translation>Par: desconocido</translation>
    </message>
    <message>
        <source>Won with help</source>
        <translation>Ganado con ayuda</translation>
    </message>
    <message>
        <source>Click to replay</source>
        <translation>Haz clic para verla de nuevo</translation>
    </message>
    <message>
        <source>Kept without its moves</source>
        <translation>Guardada sin sus movimientos</translation>
    </message>
    <message>
        <source>The wheel zooms the dates, a drag moves them; a click on a win replays it.</source>
        <translation>La rueda acerca o aleja las fechas, arrastrar las desplaza; un clic en una victoria la reproduce.</translation>
    </message>
    <message>
        <source>No wins of this grid and style yet.</source>
        <translation>Aún no hay victorias en esta cuadrícula y modo.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Movimientos</translation>
    </message>
    <message>
        <source>Average of 50</source>
        <translation>Media de 50</translation>
    </message>
    <message>
        <source>Average of 100</source>
        <translation>Media de 100</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1: no wins yet.</source>
        <translation>%1: aún sin victorias.</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n win(s) from %2 to %3.</source>
        <translation>
            <numerusform>%1: %n victoria del %2 al %3.</numerusform>
            <numerusform>%1: %n victorias del %2 al %3.</numerusform>
        </translation>
    </message>
    <message>
        <source>Best %1.</source>
        <translation>Mejor: %1.</translation>
    </message>
    <message>
        <source>Latest average of 5: %1.</source>
        <translation>Última media de 5: %1.</translation>
    </message>
    <message>
        <source>Latest average of 12: %1.</source>
        <translation>Última media de 12: %1.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progreso</translation>
    </message>
</context>
</TS>
