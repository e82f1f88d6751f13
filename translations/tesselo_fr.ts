<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>tesselo::CHelpDlg</name>
    <message>
        <source>Tesselo Help</source>
        <translation>Aide de Tesselo</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Instructions:</source>
        <translation>Comment jouer&#xa0;:</translation>
    </message>
    <message>
        <source>Click &quot;New Game&quot; to start playing.</source>
        <translation>Cliquez sur «&#xa0;Nouvelle partie&#xa0;» pour commencer.</translation>
    </message>
    <message>
        <source>Click and drag the image to re-assemble the picture.</source>
        <translation>Cliquez sur l&apos;image et faites-la glisser pour la reconstituer.</translation>
    </message>
    <message>
        <source>Keyboard:</source>
        <translation>Clavier&#xa0;:</translation>
    </message>
    <message>
        <source>Use right and left arrow keys to slide the selected row.</source>
        <translation>Les flèches gauche et droite font glisser la ligne sélectionnée.</translation>
    </message>
    <message>
        <source>Use up and down arrow keys to slide the selected column.</source>
        <translation>Les flèches haut et bas font glisser la colonne sélectionnée.</translation>
    </message>
    <message>
        <source>Use Shift + arrow keys to change the selection.</source>
        <translation>Maj + flèches change la sélection.</translation>
    </message>
    <message>
        <source>Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay.</source>
        <translation>Ctrl+Z annuler, Ctrl+Y rétablir, Ctrl+R records, Ctrl+P revoir.</translation>
    </message>
    <message>
        <source>About Tesselo</source>
        <translation>À propos de Tesselo</translation>
    </message>
    <message>
        <source>Tesselo version 1.00, made by the Tesselo team.</source>
        <translation>Tesselo version 1.00, par l&apos;équipe Tesselo.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 the Tesselo team.</source>
        <translation>Copyright (C) 2026 l&apos;équipe Tesselo.</translation>
    </message>
    <message>
        <source>Tesselo is free software, distributed under the MIT licence.</source>
        <translation>Tesselo est un logiciel libre, distribué sous licence MIT.</translation>
    </message>
    <message>
        <source>The licence is set out in the file &quot;Attributions.txt&quot; beside the program, and at https://opensource.org/license/mit.</source>
        <translation>La licence figure dans le fichier «&#xa0;Attributions.txt&#xa0;» à côté du programme, et sur https://opensource.org/license/mit.</translation>
    </message>
    <message>
        <source>USE AT YOUR OWN RISK!</source>
        <translation>UTILISATION À VOS RISQUES ET PÉRILS&#xa0;!</translation>
    </message>
    <message>
        <source>This software is  not warranted safe or fit for any purpose whatsoever.</source>
        <translation>Ce logiciel n&apos;est garanti ni sûr ni adapté à quelque usage que ce soit.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options&#xa0;:</translation>
    </message>
    <message>
        <source>Click the Options button to:</source>
        <translation>Le bouton Options permet de&#xa0;:</translation>
    </message>
    <message>
        <source>- Set the difficulty (number of cells)</source>
        <translation>- régler la difficulté (nombre de cases)</translation>
    </message>
    <message>
        <source>- Set the style: strategy (fewest moves) or speed (shortest time)</source>
        <translation>- choisir le mode&#xa0;: stratégie (le moins de coups) ou vitesse (le moins de temps)</translation>
    </message>
    <message>
        <source>- Choose new pictures (a new picture folder).  .BMP, .JPG, .GIF and .PNG files supported.</source>
        <translation>- choisir d&apos;autres images (un autre dossier d&apos;images). Formats pris en charge&#xa0;: BMP, JPG, GIF et PNG.</translation>
    </message>
    <message>
        <source>- Turn off the sound</source>
        <translation>- couper le son</translation>
    </message>
    <message>
        <source>Right-click the board for a menu of the Ctrl keys.</source>
        <translation>Un clic droit sur le plateau ouvre le menu des raccourcis Ctrl.</translation>
    </message>
    <message>
        <source>Attributions:</source>
        <translation>Crédits&#xa0;:</translation>
    </message>
    <message>
        <source>For sound management, Tesselo uses:</source>
        <translation>Pour le son, Tesselo utilise&#xa0;:</translation>
    </message>
    <message>
        <source>SDL2 and SDL2_mixer (libsdl.org), under the zlib licence.</source>
        <translation>SDL2 et SDL2_mixer (libsdl.org), sous licence zlib.</translation>
    </message>
    <message>
        <source>The sound effects were synthesised for this program by its makers, as were all its pictures.</source>
        <translation>Les effets sonores ont été synthétisés pour ce programme par ses auteurs, tout comme ses images.</translation>
    </message>
    <message>
        <source>Sounds are from:</source>
        <translation>Origine des sons&#xa0;:</translation>
    </message>
    <message>
        <source>The Tesselo team: every cue is synthesised by code,</source>
        <translation>L&apos;équipe Tesselo&#xa0;: chaque son est synthétisé par du code,</translation>
    </message>
    <message>
        <source>in tools/make_sounds.cpp, when the game is built.</source>
        <translation>dans tools/make_sounds.cpp, à la compilation du jeu.</translation>
    </message>
    <message>
        <source>No recording by anyone else is used.</source>
        <translation>Aucun enregistrement d&apos;un tiers n&apos;est utilisé.</translation>
    </message>
    <message>
        <source>Pictures: drawn by code in tools/make_art.cpp.</source>
        <translation>Images&#xa0;: dessinées par du code dans tools/make_art.cpp.</translation>
    </message>
    <message>
        <source>Windows and pictures: Qt 6 (qt.io), under the LGPL 3.</source>
        <translation>Fenêtres et images&#xa0;: Qt 6 (qt.io), sous licence LGPL 3.</translation>
    </message>
    <message>
        <source>For more detail, see the accompanying file &quot;Attributions.txt&quot;</source>
        <translation>Pour en savoir plus, voir le fichier joint «&#xa0;Attributions.txt&#xa0;».</translation>
    </message>
</context>
<context>
    <name>tesselo::COptionDlg</name>
    <message>
        <source>Set Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Difficulté</translation>
    </message>
    <message>
        <source>Picture Directory</source>
        <translation>Dossier d&apos;images</translation>
    </message>
    <message>
        <source>Style</source>
        <extracomment>What counts in a game: the moves (Strategy) or the time (Speed)</extracomment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Off</source>
        <extracomment>The low end of the volume slider: no sound</extracomment>
        <translation>Muet</translation>
    </message>
    <message>
        <source>The picture folder&apos;s name is too long: at most %1 characters can be kept.</source>
        <translation>Le nom du dossier d&apos;images est trop long&#xa0;: il ne peut dépasser %1 caractères.</translation>
    </message>
    <message>
        <source>Pictures</source>
        <extracomment>A choice of file types in the file dialog</extracomment>
        <translation>Images</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Tous les fichiers</translation>
    </message>
</context>
<context>
    <name>tesselo::CSplashDlg</name>
    <message>
        <source>A sliding picture puzzle by the Tesselo team</source>
        <translation>Un puzzle d&apos;images à faire glisser, par l&apos;équipe Tesselo</translation>
    </message>
    <message>
        <source>Proceed</source>
        <translation>Continuer</translation>
    </message>
</context>
<context>
    <name>tesselo::DisplayNames</name>
    <message>
        <source>Novice</source>
        <extracomment>Level: the 2 x 3 grid</extracomment>
        <translation>Novice</translation>
    </message>
    <message>
        <source>Pro</source>
        <extracomment>Level: the 3 x 3 grid</extracomment>
        <translation>Pro</translation>
    </message>
    <message>
        <source>Expert</source>
        <extracomment>Level: the 3 x 4 grid</extracomment>
        <translation>Expert</translation>
    </message>
    <message>
        <source>Genius</source>
        <extracomment>Level: the 4 x 6 grid</extracomment>
        <translation>Génie</translation>
    </message>
    <message>
        <source>Strategy</source>
        <extracomment>Style: the fewest moves win</extracomment>
        <translation>Stratégie</translation>
    </message>
    <message>
        <source>Speed</source>
        <extracomment>Style: the shortest time wins, against a ticking stopwatch</extracomment>
        <translation>Vitesse</translation>
    </message>
</context>
</TS>
