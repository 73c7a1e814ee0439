<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
    <context>
        <name>CliGames</name>
        <message>
            <source>%1 does not exist</source>
            <translation>%1 がありません</translation>
        </message>
        <message>
            <source>%1 holds no music of the game (neither Music\Digital nor MP3 files with a Config.txt in Music)</source>
            <translation>%1 にはゲームの音楽がありません (Music\Digital も, Config.txt のある Music の MP3 ファイルもありません)</translation>
        </message>
        <message>
            <source>%1 is neither a game folder nor ClassicUO's settings.json</source>
            <translation>%1 はゲームのフォルダでも ClassicUO の settings.json でもありません</translation>
        </message>
        <message>
            <source>%1 can't be read as ClassicUO's settings</source>
            <translation>%1 を ClassicUO の設定として読み込めません</translation>
        </message>
        <message>
            <source>%1 names no game folder (ultimaonlinedirectory)</source>
            <translation>%1 にゲームのフォルダ (ultimaonlinedirectory) がありません</translation>
        </message>
        <message>
            <source> (the ultimaonlinedirectory of %1)</source>
            <translation> (%1 の ultimaonlinedirectory)</translation>
        </message>
    </context>
</TS>
