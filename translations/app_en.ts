<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>Startup</name>
        <message>
            <source>ゲームのフォルダを選択してください</source>
            <translation>Choose the game folder</translation>
        </message>
        <message>
            <source>MelodeckはUltimaOnlineのMusic(MIDI)ファイルを任意に入れ替えるツールです.
Melodeckは現在のMIDIファイルをデフォルトの設定として扱います.
すでに手動で変更している場合は元に戻してから利用してください.

Melodeck を起動しますか？</source>
            <translation>Melodeck replaces the music (MIDI) files of Ultima Online with tunes of your choice.
Melodeck takes the MIDI files the game has now as its standard configuration.
If you have already replaced any of them by hand, put the originals back before you use it.

Start Melodeck?</translation>
        </message>
    </context>
</TS>
