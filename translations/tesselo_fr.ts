<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>tesselo::ActivityStrip</name>
    <message numerus="yes">
        <source>%1: %n win(s)</source>
        <comment>wins on a day</comment>
        <translation>
            <numerusform>%1&#xa0;: %n victoire</numerusform>
            <numerusform>%1&#xa0;: %n victoires</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n day(s) in a row with a win</source>
        <comment>without help, ending today or yesterday</comment>
        <translation>
            <numerusform>Série en cours&#xa0;: %n jour d&apos;affilée avec une victoire</numerusform>
            <numerusform>Série en cours&#xa0;: %n jours d&apos;affilée avec une victoire</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Wins in the last year: %n</source>
        <translation>
            <numerusform>Victoires sur la dernière année&#xa0;: %n</numerusform>
            <numerusform>Victoires sur la dernière année&#xa0;: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Wins a day</source>
        <translation>Victoires par jour</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Activité</translation>
    </message>
    <message numerus="yes">
        <source>%n win(s) on %1 of the last %2 days; a streak of %3 days.</source>
        <translation>
            <numerusform>%n victoire sur %1 des %2 derniers jours ; une série de %3 jours.</numerusform>
            <numerusform>%n victoires sur %1 des %2 derniers jours ; une série de %3 jours.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::AnimationSaver</name>
    <message>
        <source>Animated GIF (*.gif)</source>
        <translation>GIF animé (*.gif)</translation>
    </message>
    <message>
        <source>Animated WebP (*.webp)</source>
        <translation>WebP animé (*.webp)</translation>
    </message>
    <message>
        <source>Save Replay as Animation</source>
        <translation>Enregistrer la rediffusion en animation</translation>
    </message>
    <message>
        <source>Making the animation…</source>
        <translation>Création de l’animation…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>tesselo::BoardAccessible</name>
    <message>
        <source>belongs at row %1, column %2</source>
        <translation>va en ligne %1, colonne %2</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Plateau</translation>
    </message>
    <message>
        <source>%1 rows by %2 columns; each cell says the number of the tile it holds and where that tile belongs</source>
        <translation>%1 lignes sur %2 colonnes ; chaque case dit le numéro de sa pièce et où elle va</translation>
    </message>
    <message>
        <source>Column %1</source>
        <translation>Colonne %1</translation>
    </message>
    <message>
        <source>Row %1</source>
        <translation>Ligne %1</translation>
    </message>
    <message>
        <source>Hidden</source>
        <translation>Masquée</translation>
    </message>
</context>
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
        <source>Ctrl+Z undo, Ctrl+Y redo, Ctrl+R records, Ctrl+P replay, M solve map.</source>
        <translation>Ctrl+Z annuler, Ctrl+Y rétablir, Ctrl+R records, Ctrl+P revoir, M carte de la résolution.</translation>
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
    <message>
        <source>H shows a hint: the next move of the shortest way known.</source>
        <translation>H donne un indice&#xa0;: le prochain coup du plus court chemin connu.</translation>
    </message>
    <message>
        <source>Shift+H solves: it plays that way a move at a time until a key or click.</source>
        <translation>Maj+H résout&#xa0;: le jeu suit ce chemin coup par coup jusqu&apos;à une touche ou un clic.</translation>
    </message>
    <message>
        <source>P pauses a Speed game; P or a click goes on.</source>
        <translation>P met en pause une partie en mode Vitesse ; P ou un clic la reprend.</translation>
    </message>
    <message>
        <source>Ctrl+C copies the game ID, Ctrl+V plays the game ID copied, Ctrl+D plays the daily puzzle.</source>
        <translation>Ctrl+C copie le code de partie, Ctrl+V joue le code de partie copié, Ctrl+D joue le puzzle du jour.</translation>
    </message>
    <message>
        <source>Right-click the board for a menu of every command and its key.</source>
        <translation>Un clic droit sur le plateau ouvre un menu de toutes les commandes et de leurs touches.</translation>
    </message>
    <message>
        <source>In a terminal, &quot;tesselo --solve&quot; prints a way back from the saved game, in moves such as:</source>
        <translation>Dans un terminal, «&#xa0;tesselo --solve&#xa0;» affiche un chemin de retour depuis la partie enregistrée, en coups tels que&#xa0;:</translation>
    </message>
    <message>
        <source>R2+1: row 2 one cell right; R2-3: three cells left</source>
        <translation>R2+1&#xa0;: ligne 2 d&apos;une case vers la droite&#xa0;; R2-3&#xa0;: de trois cases vers la gauche</translation>
    </message>
    <message>
        <source>C4+2: column 4 two cells down; C4-1: one cell up</source>
        <translation>C4+2&#xa0;: colonne 4 de deux cases vers le bas&#xa0;; C4-1&#xa0;: d&apos;une case vers le haut</translation>
    </message>
    <message>
        <source>N shows or hides the numbers on the tiles: each tile&apos;s place in the finished picture, counted along the rows.</source>
        <translation>N affiche ou masque les numéros des pièces&#xa0;: la place de chaque pièce dans l&apos;image achevée, comptée ligne par ligne.</translation>
    </message>
    <message>
        <source>- Show a number on each tile, for pictures with few clues</source>
        <translation>- afficher un numéro sur chaque pièce, pour les images qui offrent peu de repères</translation>
    </message>
    <message>
        <source>A game ID names the grid and a number: Expert-2718281828 on a level, 5x7-2718281828 on a custom grid of 5 rows and 7 columns.</source>
        <translation>Un code de partie indique la grille et un nombre&#xa0;: Expert-2718281828 sur un niveau, 5x7-2718281828 sur une grille personnalisée de 5 lignes et 7 colonnes.</translation>
    </message>
    <message>
        <source>- Set the difficulty: a level, or a custom grid of 2 to 20 rows and 2 to 20 columns</source>
        <translation>- régler la difficulté&#xa0;: un niveau, ou une grille personnalisée de 2 à 20 lignes et de 2 à 20 colonnes</translation>
    </message>
    <message>
        <source>Game controller:</source>
        <translation>Manette de jeu&#xa0;:</translation>
    </message>
    <message>
        <source>On a touch screen, drag a row or column with a finger; a tap selects.</source>
        <translation>Sur un écran tactile, faites glisser une ligne ou une colonne du doigt&#xa0;; un toucher sélectionne.</translation>
    </message>
    <message>
        <source>A first button, B undo, right shoulder redo, X hint, Y numbers, Start pause.</source>
        <translation>A premier bouton, B annuler, gâchette haute droite rétablir, X indice, Y numéros, Start pause.</translation>
    </message>
    <message>
        <source>D-pad or left stick slides the selected row or column; the right stick (or the left shoulder held) moves the selection.</source>
        <translation>La croix ou le stick gauche fait glisser la ligne ou la colonne choisie&#xa0;; le stick droit (ou la gâchette haute gauche maintenue) déplace la sélection.</translation>
    </message>
    <message>
        <source>Ctrl+Shift+C copies the replay of a win, which Ctrl+V plays too; Ctrl+Shift+R races your best: its solve plays beside yours.</source>
        <translation>Ctrl+Maj+C copie la rediffusion d’une victoire, que Ctrl+V joue aussi&#xa0;; Ctrl+Maj+R défie votre record&#xa0;: sa solution se joue à côté de la vôtre.</translation>
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
    <message>
        <source>Animate moves</source>
        <translation>Animer les coups</translation>
    </message>
    <message>
        <source>Custom</source>
        <extracomment>A grid of any counts of rows and columns, beside the four levels</extracomment>
        <translation>Personnalisé</translation>
    </message>
    <message>
        <source>Rows:</source>
        <translation>Lignes&#xa0;:</translation>
    </message>
    <message>
        <source>Columns:</source>
        <translation>Colonnes&#xa0;:</translation>
    </message>
    <message>
        <source>Numbers on tiles</source>
        <extracomment>Each tile shows its number in a corner</extracomment>
        <translation>Numéros sur les pièces</translation>
    </message>
    <message>
        <source>Browse for a picture</source>
        <translation>Choisir une image</translation>
    </message>
    <message>
        <source>The folder of the picture you choose becomes the picture directory.</source>
        <translation>Le dossier de l&apos;image choisie devient le dossier d&apos;images.</translation>
    </message>
</context>
<context>
    <name>tesselo::CRecordsDlg</name>
    <message>
        <source>Tesselo Records</source>
        <translation>Records de Tesselo</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Meilleur</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Victoires</translation>
    </message>
    <message>
        <source>Average of 5</source>
        <translation>Moyenne sur 5</translation>
    </message>
    <message>
        <source>Average of 12</source>
        <translation>Moyenne sur 12</translation>
    </message>
    <message>
        <source>Replay</source>
        <translation>Revoir</translation>
    </message>
    <message>
        <source>Clear Records</source>
        <translation>Effacer les records</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Daily Puzzles</source>
        <translation>Puzzles du jour</translation>
    </message>
    <message>
        <source>Clear all records?

The file is kept under another name, so nothing is lost.</source>
        <translation>Effacer tous les records&#xa0;?

Le fichier est conservé sous un autre nom&#xa0;: rien n&apos;est perdu.</translation>
    </message>
    <message>
        <source>Opening the records…</source>
        <translation>Ouverture des records…</translation>
    </message>
    <message>
        <source>Importing the wins kept by an earlier version of Tesselo…</source>
        <translation>Importation des victoires gardées par une version précédente de Tesselo…</translation>
    </message>
    <message>
        <source>%v of %m</source>
        <comment>wins imported of all the wins to import</comment>
        <translation>%v sur %m</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progrès</translation>
    </message>
    <message>
        <source>The four levels, then every other grid size you have won, the most recent first.</source>
        <translation>Les quatre niveaux, puis chaque autre taille de grille où vous avez gagné, la plus récente d&apos;abord.</translation>
    </message>
    <message>
        <source>Grid and Style</source>
        <translation>Grille et mode</translation>
    </message>
    <message>
        <source>&amp;Grid:</source>
        <translation>&amp;Grille&#xa0;:</translation>
    </message>
    <message>
        <source>Solve Map</source>
        <translation>Carte de la résolution</translation>
    </message>
    <message>
        <source>Mean of 3</source>
        <translation>Moyenne de 3</translation>
    </message>
    <message>
        <source>Average of 50</source>
        <translation>Moyenne sur 50</translation>
    </message>
    <message>
        <source>Average of 100</source>
        <translation>Moyenne sur 100</translation>
    </message>
    <message>
        <source>Best Mean of 3</source>
        <translation>Meilleure moyenne de 3</translation>
    </message>
    <message>
        <source>Best Average of 5</source>
        <translation>Meilleure moyenne sur 5</translation>
    </message>
    <message>
        <source>Best Average of 12</source>
        <translation>Meilleure moyenne sur 12</translation>
    </message>
    <message>
        <source>Best Average of 50</source>
        <translation>Meilleure moyenne sur 50</translation>
    </message>
    <message>
        <source>Best Average of 100</source>
        <translation>Meilleure moyenne sur 100</translation>
    </message>
    <message>
        <source>Mean</source>
        <translation>Moyenne</translation>
    </message>
    <message>
        <source>Standard Deviation</source>
        <translation>Écart type</translation>
    </message>
    <message>
        <source>The mean of 3 counts the last 3 wins; the averages leave out the best and the worst of the last 5, 12, 50 or 100 (one of each end of 5 and 12, three of 50, five of 100). The best of each is the best over every run of wins in a row; the mean and the standard deviation are of every win. Wins with help count among the wins, and for nothing else.</source>
        <translation>La moyenne de 3 compte les 3 dernières victoires ; les moyennes sur 5, 12, 50 ou 100 écartent les meilleures et les pires (une à chaque bout sur 5 et 12, trois sur 50, cinq sur 100). La meilleure de chacune est la meilleure sur toutes les suites de victoires ; la moyenne et l’écart type portent sur toutes les victoires. Les victoires avec aide comptent parmi les victoires, et pour rien d’autre.</translation>
    </message>
    <message>
        <source>Copy Replay</source>
        <translation>Copier la rediffusion</translation>
    </message>
    <message>
        <source>Puts the win&apos;s replay code on the clipboard: one line of text that holds the start and every move, which Tesselo plays again when it is pasted (Ctrl+V).</source>
        <translation>Place le code de rediffusion de la victoire dans le presse-papiers : une ligne de texte avec le départ et chaque coup, que Tesselo rejoue quand on la colle (Ctrl+V).</translation>
    </message>
    <message>
        <source>Summary of the chosen grid</source>
        <translation>Résumé de la grille choisie</translation>
    </message>
    <message>
        <source>Save Replay as Animation…</source>
        <translation>Enregistrer la rediffusion en animation…</translation>
    </message>
    <message>
        <source>Saves the win&apos;s replay as an animated GIF or WebP: the board alone, every move gliding, the whole picture at the end.</source>
        <translation>Enregistre la rediffusion de la victoire en GIF ou WebP animé : le plateau seul, chaque coup qui glisse, l’image entière à la fin.</translation>
    </message>
    <message>
        <source>Race</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>Plays the win&apos;s start again as a new game, its solve beside yours as a ghost at the pace it was played.</source>
        <translation>Rejoue le départ de cette victoire comme une nouvelle partie, sa résolution à côté de la vôtre comme un fantôme, au rythme où elle a été jouée.</translation>
    </message>
    <message>
        <source>This win was not kept with every move from its start, so it cannot be raced.</source>
        <translation>Cette victoire n’a pas été gardée avec tous ses coups depuis le départ&#xa0;: on ne peut pas la défier.</translation>
    </message>
    <message>
        <source>Views of the records</source>
        <translation>Vues des records</translation>
    </message>
</context>
<context>
    <name>tesselo::CSolveMapDlg</name>
    <message>
        <source>Solve Map</source>
        <translation>Carte de la résolution</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; a move along a shortest way &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; a move away from solved &amp;nbsp; - - - at most (the best plan known)</source>
        <translation>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; un coup sur un plus court chemin &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; un coup qui éloigne de la solution &amp;nbsp; - - - au plus (le meilleur plan connu)</translation>
    </message>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved.</source>
        <translation>
            <numerusform>Après le coup %1 : %n glissement de la solution.</numerusform>
            <numerusform>Après le coup %1 : %n glissements de la solution.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved.</source>
        <translation>
            <numerusform>Après le coup %1 : au plus %n glissement de la solution.</numerusform>
            <numerusform>Après le coup %1 : au plus %n glissements de la solution.</numerusform>
        </translation>
    </message>
    <message>
        <source>The arrow shows the next move of the shortest way known.</source>
        <translation>La flèche montre le coup suivant du plus court chemin connu.</translation>
    </message>
    <message>
        <source>This solve cannot be mapped.</source>
        <translation>Impossible de dresser la carte de cette résolution.</translation>
    </message>
    <message>
        <source>Working out the map: %1 of %2 moves.</source>
        <translation>Calcul de la carte : %1 coups sur %2.</translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) in all.</source>
        <translation>
            <numerusform>%n coup en tout.</numerusform>
            <numerusform>%n coups en tout.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n took the board further from solved.</source>
        <translation>
            <numerusform>%n a éloigné le plateau de la solution.</numerusform>
            <numerusform>%n ont éloigné le plateau de la solution.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n went along a shortest way.</source>
        <translation>
            <numerusform>%n a suivi un plus court chemin.</numerusform>
            <numerusform>%n ont suivi un plus court chemin.</numerusform>
        </translation>
    </message>
    <message>
        <source>Dashed distances are the best plans known, not proven shortest.</source>
        <translation>Les distances en pointillés sont les meilleurs plans connus, sans preuve qu’ils soient les plus courts.</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; a move along a shortest way &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; a move away from solved</source>
        <translation>&lt;span style=&quot;color:#2ea043&quot;&gt;&amp;#9644;&lt;/span&gt; un coup sur un plus court chemin &amp;nbsp; &lt;span style=&quot;color:#d63c30&quot;&gt;&amp;#9711;&lt;/span&gt; un coup qui éloigne de la solution</translation>
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
    <name>tesselo::CTesseloDlg</name>
    <message>
        <source>Tesselo - New record!</source>
        <translation>Tesselo - Nouveau record&#xa0;!</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Replay Solve</source>
        <translation>Revoir la solution</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>Indice</translation>
    </message>
    <message>
        <source>Solve</source>
        <translation>Résoudre</translation>
    </message>
    <message>
        <source>Numbers on Tiles</source>
        <translation>Numéros sur les pièces</translation>
    </message>
    <message>
        <source>Solve Map</source>
        <translation>Carte de la résolution</translation>
    </message>
</context>
<context>
    <name>tesselo::ChartWidget</name>
    <message>
        <source>The picture could not be written.</source>
        <translation>L&apos;image n&apos;a pas pu être écrite.</translation>
    </message>
    <message>
        <source>Save Chart as PNG…</source>
        <translation>Enregistrer le graphique en PNG…</translation>
    </message>
    <message>
        <source>Save Chart as PNG</source>
        <translation>Enregistrer le graphique en PNG</translation>
    </message>
    <message>
        <source>PNG pictures (*.png)</source>
        <translation>Images PNG (*.png)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: %2</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;a pas pu être écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.
Do you want to replace it?</source>
        <translation>«&#xa0;%1&#xa0;» existe déjà.
Voulez-vous le remplacer&#xa0;?</translation>
    </message>
</context>
<context>
    <name>tesselo::DailyWinsPage</name>
    <message>
        <source>Puzzle</source>
        <translation>Puzzle</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Coups</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Days are the UTC dates that name the puzzles. A puzzle won with help is listed but extends no streak. Today&apos;s puzzle, still to be won, breaks no streak.</source>
        <translation>Les jours sont les dates UTC qui nomment les puzzles. Un puzzle gagné avec de l&apos;aide est listé mais ne prolonge aucune série. Le puzzle du jour, tant qu&apos;il reste à gagner, n&apos;interrompt aucune série.</translation>
    </message>
    <message numerus="yes">
        <source>Current streak (days): %n</source>
        <comment>consecutive days whose daily puzzle was won</comment>
        <translation>
            <numerusform>Série en cours&#xa0;: %n jour</numerusform>
            <numerusform>Série en cours&#xa0;: %n jours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The newest %n daily wins</source>
        <translation>
            <numerusform>Dernières victoires du jour&#xa0;: %n</numerusform>
            <numerusform>Dernières victoires du jour&#xa0;: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Daily wins: %n</source>
        <translation>
            <numerusform>Victoires du jour&#xa0;: %n</numerusform>
            <numerusform>Victoires du jour&#xa0;: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Daily puzzles won</source>
        <translation>Puzzles du jour gagnés</translation>
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
    <message>
        <source>%1 × %2</source>
        <extracomment>A grid no level has: its rows and columns, as &quot;5 × 7&quot;</extracomment>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>Fewest Moves</source>
        <extracomment>Style: explore freely; the result is the solution&apos;s length with its detours taken out</extracomment>
        <translation>Moins de coups</translation>
    </message>
    <message>
        <source>Blind</source>
        <extracomment>Style: the picture hides at the first move; the player says when it is whole</extracomment>
        <translation>À l&apos;aveugle</translation>
    </message>
</context>
<context>
    <name>tesselo::GameBar</name>
    <message>
        <source>New Game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Moves:</source>
        <translation>Coups&#xa0;:</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Reset Game</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Temps&#xa0;:</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Done</source>
        <extracomment>The first button in a &quot;Blind&quot; game: the player says the picture is whole</extracomment>
        <translation>Terminé</translation>
    </message>
    <message numerus="yes">
        <source>Solved in %n move(s)</source>
        <translation>
            <numerusform>Résolu en %n coup</numerusform>
            <numerusform>Résolu en %n coups</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Solved in %1</source>
        <translation>Résolu en %1</translation>
    </message>
    <message>
        <source>Did not finish (DNF) in %1</source>
        <extracomment>A &quot;Blind&quot; game declared over on a picture not whole</extracomment>
        <translation>Non terminé (DNF) en %1</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>En pause</translation>
    </message>
    <message>
        <source>Resumed</source>
        <translation>Reprise</translation>
    </message>
</context>
<context>
    <name>tesselo::GameSharing</name>
    <message>
        <source>Copy Game ID</source>
        <translation>Copier le code de partie</translation>
    </message>
    <message>
        <source>Daily Puzzle</source>
        <translation>Puzzle du jour</translation>
    </message>
    <message>
        <source>The clipboard holds no game ID. A game ID names a grid and a number, such as %1 or %2.</source>
        <translation>Le presse-papiers ne contient aucun code de partie. Un code de partie indique une grille et un nombre, par exemple %1 ou %2.</translation>
    </message>
    <message>
        <source>Copy Replay</source>
        <translation>Copier la rediffusion</translation>
    </message>
    <message>
        <source>Paste Game ID or Replay</source>
        <translation>Coller un ID de partie ou une rediffusion</translation>
    </message>
    <message>
        <source>Copy Result</source>
        <translation>Copier le résultat</translation>
    </message>
    <message>
        <source>Save Replay as Animation…</source>
        <translation>Enregistrer la rediffusion en animation…</translation>
    </message>
</context>
<context>
    <name>tesselo::KindWinsPage</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Coups</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Par</source>
        <translation>Par</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Best first</source>
        <translation>Meilleures d&apos;abord</translation>
    </message>
    <message>
        <source>Newest first</source>
        <translation>Plus récentes d&apos;abord</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>&amp;Précédentes</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivantes</translation>
    </message>
    <message>
        <source>&amp;Order:</source>
        <translation>&amp;Ordre&#xa0;:</translation>
    </message>
    <message>
        <source>Wins of the chosen grid and style</source>
        <translation>Victoires de la grille et du mode choisis</translation>
    </message>
    <message>
        <source>The fewest moves possible</source>
        <translation>Le moins de coups possible</translation>
    </message>
    <message>
        <source>No wins yet</source>
        <translation>Aucune victoire pour l&apos;instant</translation>
    </message>
    <message numerus="yes">
        <source>Wins %1 to %2 of %n</source>
        <translation>
            <numerusform>Victoires %1 à %2 sur %n</numerusform>
            <numerusform>Victoires %1 à %2 sur %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) played</source>
        <translation>
            <numerusform>%n coup joué</numerusform>
            <numerusform>%n coups joués</numerusform>
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
        <translation>En pause</translation>
    </message>
    <message>
        <source>Press P or click the board to go on.</source>
        <translation>Appuyez sur P ou cliquez sur le plateau pour continuer.</translation>
    </message>
</context>
<context>
    <name>tesselo::PlayerMessages</name>
    <message>
        <source>Keep Playing</source>
        <translation>Continuer à jouer</translation>
    </message>
    <message>
        <source>The game could not be saved.</source>
        <translation>La partie n&apos;a pas pu être enregistrée.</translation>
    </message>
    <message>
        <source>

Close the window again to retry, or close without saving.</source>
        <translation>

Fermez de nouveau la fenêtre pour réessayer, ou fermez sans enregistrer.</translation>
    </message>
    <message>
        <source>Close Without Saving</source>
        <translation>Fermer sans enregistrer</translation>
    </message>
    <message numerus="yes">
        <source>%n win(s) could not be written to the records in &quot;%1&quot;.</source>
        <translation>
            <numerusform>%n victoire n&apos;a pas pu être inscrite dans les records de «&#xa0;%1&#xa0;».</numerusform>
            <numerusform>%n victoires n&apos;ont pas pu être inscrites dans les records de «&#xa0;%1&#xa0;».</numerusform>
        </translation>
    </message>
    <message>
        <source>No slides can bring this board back to the whole picture, so there is no hint and no solve.</source>
        <translation>Aucun glissement ne peut ramener ce plateau à l’image entière : il n’y a donc ni indice ni solution.</translation>
    </message>
    <message numerus="yes">
        <source>

Close the window again to retry, or close and lose %n win(s).</source>
        <translation>
            <numerusform>

Fermez de nouveau la fenêtre pour réessayer, ou fermez et perdez %n victoire.</numerusform>
            <numerusform>

Fermez de nouveau la fenêtre pour réessayer, ou fermez et perdez %n victoires.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Close and Lose %n Win(s)</source>
        <translation>
            <numerusform>Fermer et perdre %n victoire</numerusform>
            <numerusform>Fermer et perdre %n victoires</numerusform>
        </translation>
    </message>
    <message>
        <source>The settings could not be saved to &quot;tesselo.ini&quot;.</source>
        <translation>Les réglages n’ont pas pu être enregistrés dans «&#xa0;tesselo.ini&#xa0;».</translation>
    </message>
    <message>
        <source>

They hold until Tesselo closes, and will be lost then.</source>
        <translation>

Ils valent jusqu’à la fermeture de Tesselo, puis seront perdus.</translation>
    </message>
</context>
<context>
    <name>tesselo::ProgressPanel</name>
    <message>
        <source>Show &amp;moves per second</source>
        <translation>Afficher les &amp;coups par seconde</translation>
    </message>
    <message>
        <source>The moves of each win over its time, on the axis at the right</source>
        <translation>Les coups de chaque victoire divisés par son temps, sur l&apos;axe de droite</translation>
    </message>
    <message>
        <source>Reading the wins…</source>
        <translation>Lecture des victoires…</translation>
    </message>
    <message>
        <source>No wins of this grid and style yet.</source>
        <translation>Aucune victoire dans cette grille et ce mode pour l&apos;instant.</translation>
    </message>
</context>
<context>
    <name>tesselo::RaceSession</name>
    <message>
        <source>Race Your Best</source>
        <translation>Défier votre record</translation>
    </message>
    <message>
        <source>There is no best of this grid and style kept with its moves to race.</source>
        <translation>Aucun record de cette grille et de ce mode n’a été gardé avec ses coups&#xa0;: il n’y a rien à défier.</translation>
    </message>
    <message>
        <source>Race lost: did not finish</source>
        <translation>Course perdue&#xa0;: non terminée</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1&#xa0;s</translation>
    </message>
    <message>
        <source>Race won: %1 ahead of your best</source>
        <translation>Course gagnée&#xa0;: %1 d’avance sur votre record</translation>
    </message>
    <message numerus="yes">
        <source>Race won: %n move(s) fewer than your best</source>
        <translation>
            <numerusform>Course gagnée&#xa0;: %n coup de moins que votre record</numerusform>
            <numerusform>Course gagnée&#xa0;: %n coups de moins que votre record</numerusform>
        </translation>
    </message>
    <message>
        <source>Race lost: %1 behind your best</source>
        <translation>Course perdue&#xa0;: %1 de retard sur votre record</translation>
    </message>
    <message numerus="yes">
        <source>Race lost: %n move(s) more than your best</source>
        <translation>
            <numerusform>Course perdue&#xa0;: %n coup de plus que votre record</numerusform>
            <numerusform>Course perdue&#xa0;: %n coups de plus que votre record</numerusform>
        </translation>
    </message>
    <message>
        <source>Race even with your best</source>
        <translation>Course à égalité avec votre record</translation>
    </message>
</context>
<context>
    <name>tesselo::Records</name>
    <message>
        <source>Your win could not be written to the records in &quot;%1&quot;:
%2

It is kept, and will be written with your next win or when the game closes.</source>
        <translation>Votre victoire n&apos;a pas pu être inscrite dans les records de «&#xa0;%1&#xa0;»&#xa0;:
%2

Elle est conservée, et sera inscrite avec votre prochaine victoire ou à la fermeture du jeu.</translation>
    </message>
    <message>
        <source>Another window of Tesselo kept the records busy for too long.</source>
        <translation>Une autre fenêtre de Tesselo a occupé les records trop longtemps.</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>Le disque est plein.</translation>
    </message>
    <message>
        <source>The disk may only be read.</source>
        <translation>Le disque est en lecture seule.</translation>
    </message>
    <message>
        <source>Its folder does not exist.</source>
        <translation>Son dossier n&apos;existe pas.</translation>
    </message>
    <message>
        <source>The folder or the file may not be written.</source>
        <translation>Le dossier ou le fichier est protégé en écriture.</translation>
    </message>
    <message>
        <source>The disk reported an error: %1</source>
        <translation>Le disque signale une erreur&#xa0;: %1</translation>
    </message>
    <message>
        <source>The file is damaged.</source>
        <translation>Le fichier est endommagé.</translation>
    </message>
    <message>
        <source>SQLite reported: %1</source>
        <translation>SQLite signale&#xa0;: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be set aside.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;a pas pu être mis de côté.</translation>
    </message>
    <message>
        <source>It was written by a newer version of Tesselo, which this version leaves as it is.</source>
        <translation>Il a été écrit par une version plus récente de Tesselo, et cette version n&apos;y touche pas.</translation>
    </message>
    <message>
        <source>It is damaged, and could not be set aside: %1</source>
        <translation>Il est endommagé et n&apos;a pas pu être mis de côté&#xa0;: %1</translation>
    </message>
    <message>
        <source>The file kept changing while the game wrote to it.</source>
        <translation>Le fichier n&apos;a cessé de changer pendant que le jeu y écrivait.</translation>
    </message>
    <message>
        <source>Your win could not be written to the records in &quot;%1&quot;:
%2

It could not be kept in a file either: the game holds it until it closes, and tries again with your next win and at the close.</source>
        <translation>Votre victoire n’a pas pu être inscrite dans les records de « %1 » :
%2

Elle n’a pas pu être gardée dans un fichier non plus : le jeu la garde jusqu’à sa fermeture, et réessaie à votre prochaine victoire et à la fermeture.</translation>
    </message>
</context>
<context>
    <name>tesselo::RecordsTable</name>
    <message numerus="yes">
        <source>%n move(s)</source>
        <comment>moves the game made for the player</comment>
        <translation>
            <numerusform>%n coup</numerusform>
            <numerusform>%n coups</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ReplayCode</name>
    <message>
        <source>The replay code is far longer than any solve&apos;s.</source>
        <translation>Le code de rediffusion est bien plus long que celui de toute résolution.</translation>
    </message>
    <message>
        <source>This is no replay code: one begins with &quot;tesselo-replay&quot;, then a version, a style, a start and the moves.</source>
        <translation>Ce n’est pas un code de rediffusion : il commence par « tesselo-replay », puis une version, un style, un départ et les coups.</translation>
    </message>
    <message>
        <source>This replay code was written by another version of Tesselo, which this one cannot read.</source>
        <translation>Ce code de rediffusion vient d’une autre version de Tesselo, que celle-ci ne sait pas lire.</translation>
    </message>
    <message>
        <source>The replay code names no style the game plays.</source>
        <translation>Le code de rediffusion ne nomme aucun style que le jeu connaît.</translation>
    </message>
    <message>
        <source>The replay code&apos;s start is no arrangement of a grid the game plays that slides can solve.</source>
        <translation>Le départ du code de rediffusion n’est pas une disposition d’une grille du jeu que des glissements peuvent résoudre.</translation>
    </message>
    <message>
        <source>The replay code&apos;s start is neither a game ID nor an arrangement of a grid the game plays.</source>
        <translation>Le départ du code de rediffusion n’est ni un ID de partie ni une disposition d’une grille du jeu.</translation>
    </message>
    <message>
        <source>The replay code has more moves than a game keeps.</source>
        <translation>Le code de rediffusion a plus de coups qu’une partie n’en garde.</translation>
    </message>
    <message>
        <source>The replay code&apos;s move %1 (&quot;%2&quot;) is no move of its grid.</source>
        <translation>Le coup %1 du code de rediffusion (« %2 ») n’est pas un coup de sa grille.</translation>
    </message>
</context>
<context>
    <name>tesselo::ReplayExport</name>
    <message>
        <source>An animation is saved as GIF or WebP: the file&apos;s name must end in .gif or .webp.</source>
        <translation>Une animation s’enregistre en GIF ou en WebP : le nom du fichier doit se terminer par .gif ou .webp.</translation>
    </message>
    <message>
        <source>This solve has no board to show.</source>
        <translation>Cette résolution n’a pas de plateau à montrer.</translation>
    </message>
    <message>
        <source>The board could not be painted at %1 x %2 pixels.</source>
        <translation>Le plateau n’a pas pu être dessiné en %1 x %2 pixels.</translation>
    </message>
    <message>
        <source>The animation could not be made (%1).</source>
        <translation>L’animation n’a pas pu être créée (%1).</translation>
    </message>
    <message>
        <source>The animation could not be saved as &quot;%1&quot;: %2</source>
        <translation>L’animation n’a pas pu être enregistrée sous « %1 » : %2</translation>
    </message>
</context>
<context>
    <name>tesselo::ResultText</name>
    <message numerus="yes">
        <source>Tesselo daily puzzle %1, %2: %n move(s)</source>
        <translation>
            <numerusform>Puzzle du jour Tesselo %1, %2 : %n coup</numerusform>
            <numerusform>Puzzle du jour Tesselo %1, %2 : %n coups</numerusform>
        </translation>
    </message>
    <message>
        <source>(par %1, %2)</source>
        <translation>(par %1, %2)</translation>
    </message>
    <message>
        <source>with help</source>
        <translation>avec aide</translation>
    </message>
    <message numerus="yes">
        <source>+%n over the shortest</source>
        <translation>
            <numerusform>+%n au-dessus du plus court</numerusform>
            <numerusform>+%n au-dessus du plus court</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n under par</source>
        <translation>
            <numerusform>-%n sous le par</numerusform>
            <numerusform>-%n sous le par</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n over par</source>
        <translation>
            <numerusform>+%n au-dessus du par</numerusform>
            <numerusform>+%n au-dessus du par</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ResultsHistogram</name>
    <message numerus="yes">
        <source>%1 moves: %n win(s)</source>
        <comment>wins without help with this many moves</comment>
        <translation>
            <numerusform>%1 coups&#xa0;: %n victoire</numerusform>
            <numerusform>%1 coups&#xa0;: %n victoires</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to under %2: %n win(s)</source>
        <comment>wins without help in this range of times</comment>
        <translation>
            <numerusform>De %1 à moins de %2&#xa0;: %n victoire</numerusform>
            <numerusform>De %1 à moins de %2&#xa0;: %n victoires</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to %2 moves: %n win(s)</source>
        <comment>wins without help in this range of moves</comment>
        <translation>
            <numerusform>De %1 à %2 coups&#xa0;: %n victoire</numerusform>
            <numerusform>De %1 à %2 coups&#xa0;: %n victoires</numerusform>
        </translation>
    </message>
    <message>
        <source>Results without help</source>
        <translation>Résultats sans aide</translation>
    </message>
    <message>
        <source>Average of 12: %1</source>
        <translation>Moyenne sur 12&#xa0;: %1</translation>
    </message>
    <message>
        <source>Results histogram</source>
        <translation>Histogramme des résultats</translation>
    </message>
    <message>
        <source>No results without help yet.</source>
        <translation>Pas encore de résultat sans aide.</translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) without help in bins from %1 to %2; the fullest holds %3.</source>
        <translation>
            <numerusform>%n résultat sans aide en classes de %1 à %2 ; la plus pleine en compte %3.</numerusform>
            <numerusform>%n résultats sans aide en classes de %1 à %2 ; la plus pleine en compte %3.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::SafeFile</name>
    <message>
        <source>&quot;%1&quot; is a loop of links.</source>
        <translation>«&#xa0;%1&#xa0;» est une boucle de liens.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file; it was left as it is.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;est pas un fichier ; il a été laissé tel quel.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link to &quot;%2&quot;, which this game did not write; it was left as it is.</source>
        <translation>«&#xa0;%1&#xa0;» est un lien vers «&#xa0;%2&#xa0;», que ce jeu n&apos;a pas écrit ; il a été laissé tel quel.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be set aside: every name for it is taken.</source>
        <translation>«&#xa0;%1&#xa0;» n&apos;a pas pu être mis de côté&#xa0;: tous les noms possibles sont pris.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a link to &quot;%2&quot;, which is not there; it was left as it is.</source>
        <translation>«&#xa0;%1&#xa0;» est un lien vers «&#xa0;%2&#xa0;», qui n’existe pas&#xa0;; il a été laissé tel quel.</translation>
    </message>
</context>
<context>
    <name>tesselo::SavedGameStore</name>
    <message>
        <source>The game could not be encoded.</source>
        <translation>La partie n&apos;a pas pu être encodée.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be removed, and its game would resume in place of this one.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être supprimé, et sa partie reprendrait à la place de celle-ci.</translation>
    </message>
</context>
<context>
    <name>tesselo::SolveMapChart</name>
    <message>
        <source>Solve Map</source>
        <translation>Carte de la résolution</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Coups</translation>
    </message>
    <message>
        <source>Slides to solved</source>
        <translation>Glissements restants</translation>
    </message>
    <message>
        <source>Par %1</source>
        <translation>Par %1</translation>
    </message>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved</source>
        <translation>
            <numerusform>Après le coup %1 : %n glissement de la solution</numerusform>
            <numerusform>Après le coup %1 : %n glissements de la solution</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved</source>
        <translation>
            <numerusform>Après le coup %1 : au plus %n glissement de la solution</numerusform>
            <numerusform>Après le coup %1 : au plus %n glissements de la solution</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) mapped</source>
        <translation>
            <numerusform>%n coup cartographié</numerusform>
            <numerusform>%n coups cartographiés</numerusform>
        </translation>
    </message>
    <message>
        <source>par %1</source>
        <translation>par %1</translation>
    </message>
    <message numerus="yes">
        <source>%n along a shortest way.</source>
        <translation>
            <numerusform>%n sur un plus court chemin.</numerusform>
            <numerusform>%n sur un plus court chemin.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::TrendChart</name>
    <message>
        <source>Win</source>
        <translation>Victoire</translation>
    </message>
    <message>
        <source>With help</source>
        <translation>Avec aide</translation>
    </message>
    <message>
        <source>Average of 5</source>
        <translation>Moyenne sur 5</translation>
    </message>
    <message>
        <source>Average of 12</source>
        <translation>Moyenne sur 12</translation>
    </message>
    <message>
        <source>Best so far</source>
        <translation>Meilleur jusqu&apos;ici</translation>
    </message>
    <message>
        <source>Moves per second</source>
        <translation>Coups par seconde</translation>
    </message>
    <message>
        <source>Result: %1</source>
        <translation>Résultat&#xa0;: %1</translation>
    </message>
    <message>
        <source>Moves: %1</source>
        <translation>Coups&#xa0;: %1</translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Temps&#xa0;: %1</translation>
    </message>
    <message>
        <source>Par: %1 (the fewest possible)</source>
        <translation>Par&#xa0;: %1 (le moins possible)</translation>
    </message>
    <message>
        <source>Par: %1</source>
        <translation>Par&#xa0;: %1</translation>
    </message>
    <message>
        <source>Par: unknown</source>
        <translation>Par&#xa0;: inconnu</translation>
    </message>
    <message>
        <source>Won with help</source>
        <translation>Gagné avec de l&apos;aide</translation>
    </message>
    <message>
        <source>Click to replay</source>
        <translation>Cliquer pour revoir</translation>
    </message>
    <message>
        <source>Kept without its moves</source>
        <translation>Conservée sans ses coups</translation>
    </message>
    <message>
        <source>The wheel zooms the dates, a drag moves them; a click on a win replays it.</source>
        <translation>La molette zoome sur les dates, un glisser les déplace&#xa0;; un clic sur une victoire la rejoue.</translation>
    </message>
    <message>
        <source>No wins of this grid and style yet.</source>
        <translation>Aucune victoire dans cette grille et ce mode pour l&apos;instant.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Temps</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>Coups</translation>
    </message>
    <message>
        <source>Average of 50</source>
        <translation>Moyenne sur 50</translation>
    </message>
    <message>
        <source>Average of 100</source>
        <translation>Moyenne sur 100</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1: no wins yet.</source>
        <translation>%1 : pas encore de victoire.</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n win(s) from %2 to %3.</source>
        <translation>
            <numerusform>%1 : %n victoire du %2 au %3.</numerusform>
            <numerusform>%1 : %n victoires du %2 au %3.</numerusform>
        </translation>
    </message>
    <message>
        <source>Best %1.</source>
        <translation>Meilleur : %1.</translation>
    </message>
    <message>
        <source>Latest average of 5: %1.</source>
        <translation>Dernière moyenne sur 5 : %1.</translation>
    </message>
    <message>
        <source>Latest average of 12: %1.</source>
        <translation>Dernière moyenne sur 12 : %1.</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progrès</translation>
    </message>
</context>
</TS>
