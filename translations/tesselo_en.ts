<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>tesselo::ActivityStrip</name>
    <message numerus="yes">
        <source>%1: %n win(s)</source>
        <comment>wins on a day</comment>
        <translation>
            <numerusform>%1: %n win</numerusform>
            <numerusform>%1: %n wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Current streak: %n day(s) in a row with a win</source>
        <comment>without help, ending today or yesterday</comment>
        <translation>
            <numerusform>Current streak: %n day in a row with a win</numerusform>
            <numerusform>Current streak: %n days in a row with a win</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Wins in the last year: %n</source>
        <translation>
            <numerusform>Wins in the last year: %n</numerusform>
            <numerusform>Wins in the last year: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n win(s) on %1 of the last %2 days; a streak of %3 days.</source>
        <translation>
            <numerusform>%n win on %1 of the last %2 days; a streak of %3 days.</numerusform>
            <numerusform>%n wins on %1 of the last %2 days; a streak of %3 days.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::CSolveMapDlg</name>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved.</source>
        <translation>
            <numerusform>After move %1: %n slide from solved.</numerusform>
            <numerusform>After move %1: %n slides from solved.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved.</source>
        <translation>
            <numerusform>After move %1: at most %n slide from solved.</numerusform>
            <numerusform>After move %1: at most %n slides from solved.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) in all.</source>
        <translation>
            <numerusform>%n move in all.</numerusform>
            <numerusform>%n moves in all.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n took the board further from solved.</source>
        <translation>
            <numerusform>%n took the board further from solved.</numerusform>
            <numerusform>%n took the board further from solved.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n went along a shortest way.</source>
        <translation>
            <numerusform>%n went along a shortest way.</numerusform>
            <numerusform>%n went along a shortest way.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::DailyWinsPage</name>
    <message numerus="yes">
        <source>Current streak (days): %n</source>
        <comment>consecutive days whose daily puzzle was won</comment>
        <translation>
            <numerusform>Current streak: %n day</numerusform>
            <numerusform>Current streak: %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The newest %n daily wins</source>
        <translation>
            <numerusform>The newest daily win</numerusform>
            <numerusform>The newest %n daily wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Daily wins: %n</source>
        <translation>
            <numerusform>Daily wins: %n</numerusform>
            <numerusform>Daily wins: %n</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::GameBar</name>
    <message numerus="yes">
        <source>Solved in %n move(s)</source>
        <translation>
            <numerusform>Solved in %n move</numerusform>
            <numerusform>Solved in %n moves</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::KindWinsPage</name>
    <message numerus="yes">
        <source>Wins %1 to %2 of %n</source>
        <translation>
            <numerusform>Wins %1 to %2 of %n</numerusform>
            <numerusform>Wins %1 to %2 of %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) played</source>
        <translation>
            <numerusform>%n move played</numerusform>
            <numerusform>%n moves played</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::PlayerMessages</name>
    <message numerus="yes">
        <source>%n win(s) could not be written to the records in &quot;%1&quot;.</source>
        <translation>
            <numerusform>%n win could not be written to the records in &quot;%1&quot;.</numerusform>
            <numerusform>%n wins could not be written to the records in &quot;%1&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

Close the window again to retry, or close and lose %n win(s).</source>
        <translation>
            <numerusform>

Close the window again to retry, or close and lose it.</numerusform>
            <numerusform>

Close the window again to retry, or close and lose all %n.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Close and Lose %n Win(s)</source>
        <translation>
            <numerusform>Close and Lose It</numerusform>
            <numerusform>Close and Lose %n Wins</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::RaceSession</name>
    <message numerus="yes">
        <source>Race won: %n move(s) fewer than your best</source>
        <translation>
            <numerusform>Race won: %n move fewer than your best</numerusform>
            <numerusform>Race won: %n moves fewer than your best</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Race lost: %n move(s) more than your best</source>
        <translation>
            <numerusform>Race lost: %n move more than your best</numerusform>
            <numerusform>Race lost: %n moves more than your best</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::RecordsTable</name>
    <message numerus="yes">
        <source>%n move(s)</source>
        <comment>moves the game made for the player</comment>
        <translation>
            <numerusform>%n move</numerusform>
            <numerusform>%n moves</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ResultText</name>
    <message numerus="yes">
        <source>Tesselo daily puzzle %1, %2: %n move(s)</source>
        <translation>
            <numerusform>Tesselo daily puzzle %1, %2: %n move</numerusform>
            <numerusform>Tesselo daily puzzle %1, %2: %n moves</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n over the shortest</source>
        <translation>
            <numerusform>+%n over the shortest</numerusform>
            <numerusform>+%n over the shortest</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n under par</source>
        <translation>
            <numerusform>-%n under par</numerusform>
            <numerusform>-%n under par</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n over par</source>
        <translation>
            <numerusform>+%n over par</numerusform>
            <numerusform>+%n over par</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::ResultsHistogram</name>
    <message numerus="yes">
        <source>%1 moves: %n win(s)</source>
        <comment>wins without help with this many moves</comment>
        <translation>
            <numerusform>%1 moves: %n win</numerusform>
            <numerusform>%1 moves: %n wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to under %2: %n win(s)</source>
        <comment>wins without help in this range of times</comment>
        <translation>
            <numerusform>%1 to under %2: %n win</numerusform>
            <numerusform>%1 to under %2: %n wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to %2 moves: %n win(s)</source>
        <comment>wins without help in this range of moves</comment>
        <translation>
            <numerusform>%1 to %2 moves: %n win</numerusform>
            <numerusform>%1 to %2 moves: %n wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n result(s) without help in bins from %1 to %2; the fullest holds %3.</source>
        <translation>
            <numerusform>%n result without help in bins from %1 to %2; the fullest holds %3.</numerusform>
            <numerusform>%n results without help in bins from %1 to %2; the fullest holds %3.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::SolveMapChart</name>
    <message numerus="yes">
        <source>After move %1: %n slide(s) from solved</source>
        <translation>
            <numerusform>After move %1: %n slide from solved</numerusform>
            <numerusform>After move %1: %n slides from solved</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>After move %1: at most %n slide(s) from solved</source>
        <translation>
            <numerusform>After move %1: at most %n slide from solved</numerusform>
            <numerusform>After move %1: at most %n slides from solved</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n move(s) mapped</source>
        <translation>
            <numerusform>%n move mapped</numerusform>
            <numerusform>%n moves mapped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n along a shortest way.</source>
        <translation>
            <numerusform>%n along a shortest way.</numerusform>
            <numerusform>%n along a shortest way.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tesselo::TrendChart</name>
    <message numerus="yes">
        <source>%1: %n win(s) from %2 to %3.</source>
        <translation>
            <numerusform>%1: %n win from %2 to %3.</numerusform>
            <numerusform>%1: %n wins from %2 to %3.</numerusform>
        </translation>
    </message>
</context>
</TS>
