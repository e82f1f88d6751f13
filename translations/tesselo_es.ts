<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
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
        <translation>Mayús + flechas cambian la selección.</translation>
    </message>
    <message>
        <source>Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay.</source>
        <translation>Ctrl+Z deshacer, Ctrl+Y rehacer, Ctrl+R récords, Ctrl+P repetición.</translation>
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
        <source>- Set the difficulty (number of cells)</source>
        <translation>- Elegir la dificultad (número de casillas)</translation>
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
        <source>Right-click the board for a menu of the Ctrl keys.</source>
        <translation>Haz clic derecho en el tablero para ver los atajos de Ctrl.</translation>
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
</context>
</TS>
