<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="hu_HU">
<context>
    <name>BullOffDialog</name>
    <message>
        <source>Új meccs</source>
        <translation>New match</translation>
    </message>
    <message>
        <source>Ki nyerte a bull-offot?</source>
        <translation>Who won the bull-off?</translation>
    </message>
    <message>
        <source>Marad a kezdő (%1)</source>
        <translation>Keep the starter (%1)</translation>
    </message>
    <message>
        <source>Mégse</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Caller</name>
    <message>
        <source>nem tölthető be a beszédmodul</source>
        <translation>its speech module cannot be loaded</translation>
    </message>
    <message>
        <source>nincs beszédmotor (qt6-speech-speechd-plugin)</source>
        <translation>no speech engine (qt6-speech-speechd-plugin)</translation>
    </message>
    <message>
        <source>nem érhető el a speech-dispatcher</source>
        <translation>speech-dispatcher cannot be reached</translation>
    </message>
    <message>
        <source>nincs magyar hang (speech-dispatcher-espeak-ng)</source>
        <translation>no Hungarian voice (speech-dispatcher-espeak-ng)</translation>
    </message>
    <message>
        <source>nincs angol hang (speech-dispatcher-espeak-ng)</source>
        <translation>no English voice (speech-dispatcher-espeak-ng)</translation>
    </message>
    <message>
        <source>a beszédmotor hibát jelzett: %1</source>
        <translation>the speech engine failed: %1</translation>
    </message>
    <message>
        <source>a speech-dispatcher nem válaszol</source>
        <translation>speech-dispatcher does not answer</translation>
    </message>
    <message>
        <source>a bemondás nem szólalt meg (nincs hangkimenet?)</source>
        <translation>a call was never heard (no sound output?)</translation>
    </message>
    <message>
        <source>Bemondó: nincs hang – %1</source>
        <translation>Caller: no sound – %1</translation>
    </message>
</context>
<context>
    <name>CallerBox</name>
    <message>
        <source>Bemondó</source>
        <translation>Caller</translation>
    </message>
    <message>
        <source>ki</source>
        <translation>off</translation>
    </message>
    <message>
        <source>magyar</source>
        <translation>Hungarian</translation>
    </message>
    <message>
        <source>angol</source>
        <translation>English</translation>
    </message>
    <message>
        <source>A pontszámok bemondása: ki, magyarul vagy angolul</source>
        <translation>Scores called aloud: off, in Hungarian or in English</translation>
    </message>
</context>
<context>
    <name>CallerStatus</name>
    <message>
        <source>Bemondó</source>
        <translation>Caller</translation>
    </message>
</context>
<context>
    <name>LanguageBox</name>
    <message>
        <source>Nyelv</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>automatikus</source>
        <translation>automatic</translation>
    </message>
    <message>
        <source>A felület nyelve, a következő indítástól. Automatikus: a rendszer nyelve (LANGUAGE, LANG), magyar, ha az nem angol.</source>
        <translation>The interface&apos;s language, from the next start. Automatic: the system&apos;s language (LANGUAGE, LANG), Hungarian where that is not English.</translation>
    </message>
</context>
<context>
    <name>LegChart</name>
    <message>
        <source>Még nincs dobás a legben</source>
        <translation>No turn in the leg yet</translation>
    </message>
    <message>
        <source>Kell még</source>
        <translation>To go</translation>
    </message>
    <message>
        <source>Kör</source>
        <translation>Turn</translation>
    </message>
</context>
<context>
    <name>LegsLabel</name>
    <message>
        <source>Szett: %1 Leg: %2</source>
        <translation>Sets: %1 Legs: %2</translation>
    </message>
    <message>
        <source>Leg: %1</source>
        <translation>Legs: %1</translation>
    </message>
    <message>
        <source>%1, nyert szett: %2, nyert leg: %3</source>
        <translation>%1, sets won: %2, legs won: %3</translation>
    </message>
    <message>
        <source>%1, nyert leg: %2</source>
        <translation>%1, legs won: %2</translation>
    </message>
</context>
<context>
    <name>Match</name>
    <message>
        <source>Az előző játék visszaállítva</source>
        <translation>The previous game brought back</translation>
    </message>
    <message>
        <source>Nincs visszaállítható előző játék</source>
        <translation>No previous game to bring back</translation>
    </message>
    <message>
        <source>Az előző játék nem állítható vissza: az új játékban már dobtak</source>
        <translation>The previous game cannot come back: the new game has entries</translation>
    </message>
</context>
<context>
    <name>MatchControls</name>
    <message>
        <source>%1. játékos</source>
        <translation>Player %1</translation>
    </message>
    <message>
        <source>Két leg különbség</source>
        <translation>Two clear legs</translation>
    </message>
    <message>
        <source>Minden leg lejátszva</source>
        <translation>All legs played</translation>
    </message>
    <message>
        <source>nincs</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Első ennyi nyert legig</source>
        <translation>First to legs</translation>
    </message>
    <message>
        <source>0: nincs határ</source>
        <translation>0: no limit</translation>
    </message>
    <message>
        <source>Első ennyi nyert szettig</source>
        <translation>First to sets</translation>
    </message>
    <message>
        <source>0: szettek nélkül</source>
        <translation>0: no sets</translation>
    </message>
    <message>
        <source>Nyert legek</source>
        <translation>Legs won</translation>
    </message>
    <message>
        <source>Szettek</source>
        <translation>Sets</translation>
    </message>
    <message>
        <source>%1 nyert legjei</source>
        <translation>%1&apos;s legs won</translation>
    </message>
</context>
<context>
    <name>MatchWinnerLabel</name>
    <message>
        <source>Meccs</source>
        <translation>Match</translation>
    </message>
    <message>
        <source>%1 nyerte a meccset (%2 – %3)</source>
        <translation>%1 won the match (%2 – %3)</translation>
    </message>
    <message>
        <source>Döntetlen (%1 – %2)</source>
        <translation>Draw (%1 – %2)</translation>
    </message>
</context>
<context>
    <name>ResultTableModel</name>
    <message>
        <source>nincs</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Átlag</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Első 9</source>
        <translation>First 9</translation>
    </message>
    <message>
        <source>100+</source>
        <translation>100+</translation>
    </message>
    <message>
        <source>140+</source>
        <translation>140+</translation>
    </message>
    <message>
        <source>180</source>
        <translation>180</translation>
    </message>
    <message>
        <source>Kiszálló</source>
        <translation>Checkout</translation>
    </message>
    <message>
        <source>Összesen</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>%1 nyíl</source>
        <translation>%1 darts</translation>
    </message>
    <message>
        <source>%1. leg</source>
        <translation>Leg %1</translation>
    </message>
    <message>
        <source>Leg</source>
        <translation>Leg</translation>
    </message>
    <message>
        <source>Kezdett</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>Nyert</source>
        <translation>Won</translation>
    </message>
    <message>
        <source>Nyíl</source>
        <translation>Darts</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ResultTotalsModel</name>
    <message>
        <source>Leg</source>
        <translation>Legs</translation>
    </message>
</context>
<context>
    <name>ResultView</name>
    <message>
        <source>&amp;Grafikon:</source>
        <translation>&amp;Chart:</translation>
    </message>
    <message>
        <source>A grafikon legje</source>
        <translation>The leg the chart shows</translation>
    </message>
    <message>
        <source>A meccs összesítése</source>
        <translation>The match&apos;s totals</translation>
    </message>
    <message>
        <source>Eredmény</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>A leg grafikonja</source>
        <translation>The leg&apos;s chart</translation>
    </message>
    <message>
        <source>%1 %2 – %3 %4</source>
        <translation>%1 %2 – %3 %4</translation>
    </message>
    <message>
        <source>%1. játékos</source>
        <translation>Player %1</translation>
    </message>
    <message>
        <source>%1. leg</source>
        <translation>Leg %1</translation>
    </message>
</context>
<context>
    <name>ResultWindow</name>
    <message>
        <source>Eredmény</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>&amp;Mentés…</source>
        <translation>&amp;Save…</translation>
    </message>
    <message>
        <source>Az eredmény mentése PDF- vagy PNG-fájlba</source>
        <translation>Saves the result as a PDF or PNG file</translation>
    </message>
    <message>
        <source>Üzenet</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Mentve: %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PNG-kép (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Eredmény mentése</source>
        <translation>Save the result</translation>
    </message>
    <message>
        <source>eredmeny.pdf</source>
        <translation>result.pdf</translation>
    </message>
</context>
<context>
    <name>ScreenKeeper</name>
    <message>
        <source>A kijelző nyitva van</source>
        <translation>The scoreboard display is open</translation>
    </message>
</context>
<context>
    <name>SheetFile</name>
    <message>
        <source>Nem sikerült menteni: %1</source>
        <translation>Could not save: %1</translation>
    </message>
    <message>
        <source>Csak PDF- vagy PNG-fájl menthető: a név .pdf-re vagy .png-re végződjön.</source>
        <translation>Only a PDF or PNG file can be saved: end the name in .pdf or .png.</translation>
    </message>
</context>
<context>
    <name>SpectatorDisplay</name>
    <message>
        <source>Kijelző</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Kiszállt!</source>
        <translation>Checked out!</translation>
    </message>
    <message>
        <source>%1 nyerte a meccset  %2</source>
        <translation>%1 won the match  %2</translation>
    </message>
    <message>
        <source>Döntetlen  %1</source>
        <translation>Draw  %1</translation>
    </message>
    <message>
        <source>Szett %1  ·  Leg %2</source>
        <translation>Sets %1  ·  Legs %2</translation>
    </message>
    <message>
        <source>nincs</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1. játékos</source>
        <translation>Player %1</translation>
    </message>
    <message>
        <source>Legek: %1</source>
        <translation>Legs: %1</translation>
    </message>
    <message>
        <source>, következik</source>
        <translation>, to throw</translation>
    </message>
    <message>
        <source>, kezdte a leget</source>
        <translation>, threw first in the leg</translation>
    </message>
    <message>
        <source>Kell még: %1</source>
        <translation>To go: %1</translation>
    </message>
    <message>
        <source>Előkészítés: %1, marad %2</source>
        <translation>Set-up: %1, leaves %2</translation>
    </message>
    <message>
        <source>Kiszálló: %1</source>
        <translation>Checkout: %1</translation>
    </message>
    <message>
        <source>Átlag</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Első 9</source>
        <translation>First 9</translation>
    </message>
    <message>
        <source>Utolsó</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Legjobb</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>Meccsátlag</source>
        <translation>Match average</translation>
    </message>
    <message>
        <source>Legjobb kiszálló</source>
        <translation>Best checkout</translation>
    </message>
    <message>
        <source>Meccs %1+</source>
        <translation>Match %1+</translation>
    </message>
    <message>
        <source>Meccs %1</source>
        <translation>Match %1</translation>
    </message>
    <message numerus="yes">
        <source>  ·  mind a %n leg</source>
        <translation>
            <numerusform>  ·  the one leg</numerusform>
            <numerusform>  ·  all %n legs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>  ·  első %n nyert szettig</source>
        <translation>
            <numerusform>  ·  first to %n set</numerusform>
            <numerusform>  ·  first to %n sets</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>  ·  első %n nyert legig</source>
        <translation>
            <numerusform>  ·  first to %n leg</numerusform>
            <numerusform>  ·  first to %n legs</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Tfrm_Logo</name>
    <message>
        <source>:/assets/splash.jpg</source>
        <extracomment>The resource of the opening picture whose words are in this language.</extracomment>
        <translation>:/assets/splash_en.jpg</translation>
    </message>
</context>
<context>
    <name>Tfrm_Main</name>
    <message>
        <source>Túldobás</source>
        <translation>Bust</translation>
    </message>
    <message>
        <source>Új játék.</source>
        <translation>New game.</translation>
    </message>
    <message>
        <source>Új meccs.</source>
        <translation>New match.</translation>
    </message>
    <message>
        <source>Kiszálló</source>
        <translation>Checkout</translation>
    </message>
    <message>
        <source>Kiszálló: %1</source>
        <translation>Checkout: %1</translation>
    </message>
    <message>
        <source>Előkészítés: %1, marad %2</source>
        <translation>Set-up: %1, leaves %2</translation>
    </message>
    <message>
        <source>%1. játékos</source>
        <translation>Player %1</translation>
    </message>
    <message>
        <source>kell még</source>
        <translation>to go</translation>
    </message>
    <message>
        <source>átlag</source>
        <translation>average</translation>
    </message>
    <message>
        <source>%1: %2, kell még %3.</source>
        <translation>%1: %2, %3 to go.</translation>
    </message>
    <message>
        <source> Kiszálló: %1.</source>
        <translation> Checkout: %1.</translation>
    </message>
    <message>
        <source>%1, kell még %2.</source>
        <translation>%1, %2 to go.</translation>
    </message>
    <message>
        <source> Kiszállt!</source>
        <translation> Checked out!</translation>
    </message>
    <message>
        <source>Eszköztár</source>
        <translation>Tool bar</translation>
    </message>
    <message>
        <source>Eredményjelző</source>
        <translation>Scoreboard</translation>
    </message>
    <message>
        <source>%1 neve</source>
        <translation>%1&apos;s name</translation>
    </message>
    <message>
        <source>%1 dob</source>
        <translation>%1 to throw</translation>
    </message>
    <message>
        <source>%1 dobásai</source>
        <translation>%1&apos;s turns</translation>
    </message>
    <message>
        <source>Soronként: dobás, kell még</source>
        <translation>Each row: score, to go</translation>
    </message>
    <message>
        <source>Dobott pontszám</source>
        <translation>Score thrown</translation>
    </message>
    <message>
        <source>A beírt pontszám rögzítése</source>
        <translation>Records the score typed</translation>
    </message>
    <message>
        <source>Beállítások</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>A következő indításkor érvényes</source>
        <translation>Takes effect at the next start</translation>
    </message>
    <message>
        <source>Beállítások bezárása</source>
        <translation>Close the settings</translation>
    </message>
    <message>
        <source>Darts tábla</source>
        <translation>Dartboard</translation>
    </message>
    <message>
        <source>Állapotsor</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <source>Következik</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Elutasítva: %1 nem dobható.</source>
        <translation>Refused: %1 cannot be thrown.</translation>
    </message>
    <message>
        <source>Elutasítva: nem egész szám.</source>
        <translation>Refused: not a whole number.</translation>
    </message>
    <message>
        <source>%1: túldobás, %2 helyett 0, kell még %3.</source>
        <translation>%1: bust, 0 instead of %2, %3 to go.</translation>
    </message>
    <message>
        <source>Visszavonva: %1.</source>
        <translation>Taken back: %1.</translation>
    </message>
    <message>
        <source>Legek: %1 %2, %3 %4.</source>
        <translation>Legs: %1 %2, %3 %4.</translation>
    </message>
    <message>
        <source>Szettek: %1 %2, %3 %4.</source>
        <translation>Sets: %1 %2, %3 %4.</translation>
    </message>
    <message>
        <source>Kezd</source>
        <translation>To throw first</translation>
    </message>
    <message>
        <source>Új játék</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Új meccs</source>
        <translation>New match</translation>
    </message>
    <message>
        <source>Előző játék</source>
        <translation>Last game</translation>
    </message>
    <message>
        <source>Töröl</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Bezár</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Kijelző</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>Dobás</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Kell még</source>
        <translation>To go</translation>
    </message>
    <message>
        <source>Játékos %1.</source>
        <translation>Player %1</translation>
    </message>
    <message>
        <source>Kell kiszálló pontosan</source>
        <translation>Exact checkout</translation>
    </message>
    <message>
        <source>Induló pontszám</source>
        <translation>Start score</translation>
    </message>
    <message>
        <source>Névjegy</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Verzió: %1 béta</source>
        <translation>Version: %1 beta</translation>
    </message>
    <message>
        <source>Üzenet</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Dupla kiszálló</source>
        <translation>Double out</translation>
    </message>
    <message>
        <source>Útvonal a játékos szintjén</source>
        <translation>Routes at the player&apos;s level</translation>
    </message>
    <message>
        <source>A kiszálló útvonala a dobó játékos eddigi átlagához igazodik, kilenc nyíl után</source>
        <translation>The checkout route follows the average of the player to throw, after nine darts</translation>
    </message>
    <message>
        <source>Eredmény</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Kiszálló nyilai</source>
        <translation>Checkout darts</translation>
    </message>
    <message>
        <source>Kiszálláskor a beviteli mező megkérdezi, hány nyíl kellett hozzá, és az eredménylap megmutatja a legek nyilait</source>
        <translation>At a checkout the entry box asks how many darts it took, and the result sheet shows the darts of each leg</translation>
    </message>
    <message>
        <source>Útvonal a kijelzőn</source>
        <translation>Routes on the display</translation>
    </message>
    <message>
        <source>A kijelző mutatja a kiszálló útvonalát; az állapotsor mindig mutatja</source>
        <translation>The display shows the checkout route; the status bar always does</translation>
    </message>
    <message>
        <source>Hány nyíllal szállt ki? 1, 2 vagy 3 (Enter: 3)</source>
        <translation>How many darts did the checkout take? 1, 2 or 3 (Enter: 3)</translation>
    </message>
    <message>
        <source>Nyíl? 1–3</source>
        <translation>Darts? 1–3</translation>
    </message>
    <message>
        <source>%1 nyíllal nem lehet. %2</source>
        <translation>Not with %1 darts. %2</translation>
    </message>
    <message numerus="yes">
        <source>A leg: %n nyíl</source>
        <translation>
            <numerusform>The leg: %n dart</numerusform>
            <numerusform>The leg: %n darts</numerusform>
        </translation>
    </message>
    <message>
        <source>Elutasítva. %1</source>
        <translation>Refused. %1</translation>
    </message>
</context>
</TS>
