<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>Apply</name>
        <message>
            <source>Ultima Online が実行中であることを確認しました
Ultima Online で現在演奏されている曲は変更できません

処理を続行しますか？</source>
            <translation>Ultima Online is running.
The tune Ultima Online is playing now can't be changed.

Continue?</translation>
        </message>
        <message>
            <source>%1を適用しますか？</source>
            <translation>Apply %1?</translation>
        </message>
        <message>
            <source>ファイルがありません</source>
            <translation>the file is missing</translation>
        </message>
        <message>
            <source>フォルダです</source>
            <translation>it is a folder</translation>
        </message>
        <message>
            <source>通常のファイルではありません</source>
            <translation>not a regular file</translation>
        </message>
        <message>
            <source>コピー元のファイルを読み込めません</source>
            <translation>the file to copy can't be read</translation>
        </message>
        <message>
            <source>書き込みが禁止されています</source>
            <translation>writing is not allowed</translation>
        </message>
        <message>
            <source>ディスクの空き容量が足りません</source>
            <translation>the disk is full</translation>
        </message>
        <message>
            <source>ファイルを使用中です</source>
            <translation>the file is in use</translation>
        </message>
        <message>
            <source>ディスクへの書き込みに失敗しました</source>
            <translation>writing to the disk failed</translation>
        </message>
        <message>
            <source>バックアップがありません</source>
            <translation>there is no backup</translation>
        </message>
        <message>
            <source>ファイルを読めません</source>
            <translation>the file can't be read</translation>
        </message>
        <message>
            <source>今のファイルを残せません</source>
            <translation>the current file can't be kept</translation>
        </message>
        <message>
            <source>書き込んだファイルの記録を保存できません</source>
            <translation>the record of written files can't be saved</translation>
        </message>
        <message>
            <source>この音楽には使えない種類のファイルです</source>
            <translation>this kind of file can't be used for this music</translation>
        </message>
        <message>
            <source>以下のファイルにコピーできませんでした

%1</source>
            <translation>These files could not be copied:

%1</translation>
        </message>
        <message>
            <source>ファイルを使用中、または書き込み不可属性になっていないか確認して再試行してください</source>
            <translation>Check that the files are not in use or read-only, and try again.</translation>
        </message>
        <message>
            <source>書き込んだファイルの記録を保存できないため, ゲームの音楽ファイルは置き換えませんでした.
ディスクの空きと書き込みの許可を確認してください.

%1</source>
            <translation>The record of written files can't be saved, so the game's music files were not replaced.
Check the free disk space and the write permissions.

%1</translation>
        </message>
        <message>
            <source>次の音楽ファイルはバックアップとも Melodeck が書き込んだものとも違っていました.
置き換える前に, 日付を付けた名前でバックアップのフォルダに残してあります.
</source>
            <translation>These music files differed both from the backup and from what Melodeck wrote.
Before they were replaced, they were kept in the backup folder under dated names.
</translation>
        </message>
    </context>
    <context>
        <name>Archives</name>
        <message>
            <source>現在のバージョンではこの形式の書庫をサポートしていません。</source>
            <translation>This version does not support archives of this format.</translation>
        </message>
        <message>
            <source>書庫の形式を判別できません。</source>
            <translation>The archive's format can't be recognised.</translation>
        </message>
        <message>
            <source>この形式では書庫ファイルの作成をサポートしておりません。</source>
            <translation>Creating archives is not supported for this format.</translation>
        </message>
        <message>
            <source>この形式の書庫ではファイルの削除をサポートしておりません。</source>
            <translation>Deleting files is not supported for archives of this format.</translation>
        </message>
        <message>
            <source>この形式の書庫では書庫の更新をサポートしておりません。</source>
            <translation>Updating archives is not supported for this format.</translation>
        </message>
        <message>
            <source>この形式では自己解凍書庫の作成をサポートしておりません。</source>
            <translation>Creating self-extracting archives is not supported for this format.</translation>
        </message>
        <message>
            <source>この形式では書庫チェック機能をサポートしておりません。</source>
            <translation>Checking archives is not supported for this format.</translation>
        </message>
        <message>
            <source>%1 に書き込めません</source>
            <translation>Can't write to %1</translation>
        </message>
        <message>
            <source>'%1' は正しい日付ではありません。</source>
            <translation>'%1' is not a valid date.</translation>
        </message>
        <message>
            <source>Lha 形式書庫を扱うには UNLHA32.DLL が 必要です。</source>
            <translation>UNLHA32.DLL is needed for LHA archives.</translation>
        </message>
        <message>
            <source>CAB 形式書庫を扱うには CAB32.DLL が 必要です。</source>
            <translation>CAB32.DLL is needed for CAB archives.</translation>
        </message>
        <message>
            <source>ARJ 形式書庫を扱うには UNARJ32J.DLL が 必要です。</source>
            <translation>UNARJ32J.DLL is needed for ARJ archives.</translation>
        </message>
        <message>
            <source>tar/tgz/taz/bz2 形式書庫を扱うには tar32.dll が 必要です。</source>
            <translation>tar32.dll is needed for tar/tgz/taz/bz2 archives.</translation>
        </message>
        <message>
            <source>この機能の使用には UNRAR32.DLL が 必要です。</source>
            <translation>UNRAR32.DLL is needed for this.</translation>
        </message>
        <message>
            <source>%1 に %2 のエントリが見つかりません。</source>
            <translation>The entry %2 is not found in %1.</translation>
        </message>
        <message>
            <source>%1 のエントリが見つかりません。</source>
            <translation>The entry %1 is not found.</translation>
        </message>
        <message>
            <source>%1 を読み込めません</source>
            <translation>Can't read %1</translation>
        </message>
        <message>
            <source>保存された設定 %1 の値 %2 が正しくありません。</source>
            <translation>The stored setting %1 has a wrong value: %2.</translation>
        </message>
        <message>
            <source>保存された設定に %1 という項目はありません。</source>
            <translation>The stored settings have no item named %1.</translation>
        </message>
        <message>
            <source>保存された設定の行 %1 が正しくありません。</source>
            <translation>This line of the stored settings is wrong: %1.</translation>
        </message>
        <message>
            <source>BZ2 形式書庫は自己解凍形式にできません。</source>
            <translation>BZ2 archives can't be made self-extracting.</translation>
        </message>
        <message>
            <source>tar/tgz 書庫からの自己解凍書庫の作成には kmtarsef.exe が必要です。</source>
            <translation>kmtarsef.exe is needed to make a self-extracting archive from a tar/tgz archive.</translation>
        </message>
        <message>
            <source>ZIP 形式書庫の解凍には UNZIP32.DLL または LMZIP32.DLL が必要です。</source>
            <translation>UNZIP32.DLL or LMZIP32.DLL is needed to extract ZIP archives.</translation>
        </message>
        <message>
            <source>ZIP 形式書庫の作成には ZIP32J.DLL または LMZIP32.DLL が必要です。</source>
            <translation>ZIP32J.DLL or LMZIP32.DLL is needed to create ZIP archives.</translation>
        </message>
        <message>
            <source>ZIP 形式書庫を解凍するには UNZIP32.DLL が、作成するには ZIP32J.DLL が必要です。</source>
            <translation>UNZIP32.DLL is needed to extract ZIP archives, and ZIP32J.DLL to create them.</translation>
        </message>
        <message>
            <source>ZIP 形式書庫からの自己解凍書庫作成には ZIP32J.DLL が必要です。</source>
            <translation>ZIP32J.DLL is needed to make a self-extracting archive from a ZIP archive.</translation>
        </message>
        <message>
            <source>zip 書庫からのWin32自己解凍書庫の作成には sfx32gui.dat が必要です。</source>
            <translation>sfx32gui.dat is needed to make a Win32 self-extracting archive from a zip archive.</translation>
        </message>
        <message>
            <source>zip 書庫からのDOS自己解凍書庫の作成には sfx16.dat が必要です。</source>
            <translation>sfx16.dat is needed to make a DOS self-extracting archive from a zip archive.</translation>
        </message>
    </context>
    <context>
        <name>Assign</name>
        <message>
            <source>%1 ファイル (%2)</source>
            <translation>%1 files (%2)</translation>
        </message>
        <message>
            <source>・</source>
            <translation>, </translation>
        </message>
        <message>
            <source>%1 は割り当てられません.
%2の場面にはファイルを割り当てられません.</source>
            <translation>%1 can't be assigned.
No files can be assigned to %2scenes.</translation>
        </message>
        <message>
            <source>%1 は割り当てられません.
%2の場面には %3 だけを割り当てられます.</source>
            <translation>%1 can't be assigned.
Only %3 can be assigned to %2scenes.</translation>
        </message>
    </context>
    <context>
        <name>Backups</name>
        <message>
            <source>次の音楽ファイルのバックアップがありません.
今のファイルは Melodeck が書き込んだものなので, バックアップにはしませんでした.
標準の設定でもこのファイルはそのままです.
</source>
            <translation>These music files have no backup.
The current files were written by Melodeck, so they were not taken as backups.
The configuration 標準 (the game's own music) leaves these files as they are, too.
</translation>
        </message>
    </context>
    <context>
        <name>Convert</name>
        <message>
            <source>変換した曲を書き込むフォルダを作れません</source>
            <translation>The folder for converted tunes can't be created</translation>
        </message>
        <message>
            <source>ファイル %1 を読めません</source>
            <translation>Can't read the file %1</translation>
        </message>
    </context>
    <context>
        <name>Files</name>
        <message>
            <source>%1 に書き込めません</source>
            <translation>Can't write to %1</translation>
        </message>
    </context>
    <context>
        <name>Games</name>
        <message>
            <source>%1
が見つかりません.</source>
            <translation>%1
is not found.</translation>
        </message>
        <message>
            <source>%1
にはゲームの音楽がありません.
Ultima Onlineのフォルダ(Music\Digitalのあるフォルダ)か, ClassicUOのsettings.jsonを選んでください.</source>
            <translation>%1
holds no game music.
Choose the Ultima Online folder (the folder with Music\Digital) or ClassicUO's settings.json.</translation>
        </message>
        <message>
            <source>%1
はゲームのフォルダでもClassicUOのsettings.jsonでもありません.</source>
            <translation>%1
is neither a game folder nor ClassicUO's settings.json.</translation>
        </message>
        <message>
            <source>%1
をClassicUOの設定として読み込めません.</source>
            <translation>%1
can't be read as ClassicUO's settings.</translation>
        </message>
        <message>
            <source>%1
にゲームのフォルダ(ultimaonlinedirectory)がありません.</source>
            <translation>%1
names no game folder (ultimaonlinedirectory).</translation>
        </message>
        <message>
            <source>
(%1 のultimaonlinedirectory)</source>
            <translation>
(ultimaonlinedirectory of %1)</translation>
        </message>
    </context>
    <context>
        <name>Media</name>
        <message>
            <source>音声ファイル %1 を開けません</source>
            <translation>Can't open the audio file %1</translation>
        </message>
        <message>
            <source>%1 は再生できる音声ファイル (%2) ではありません</source>
            <translation>%1 is not an audio file that can be played (%2)</translation>
        </message>
        <message>
            <source>音声デバイスを開けません。
音声の出力先 (%1) がどれも使えません</source>
            <translation>Can't open the audio device.
None of the audio outputs (%1) can be used</translation>
        </message>
        <message>
            <source>再生する音声ファイルが開かれていません</source>
            <translation>No audio file is open to play</translation>
        </message>
        <message>
            <source>MP3 ファイル %1 を書き込めません</source>
            <translation>Can't write the MP3 file %1</translation>
        </message>
        <message>
            <source>%1 時間</source>
            <translation>%1 h</translation>
        </message>
        <message>
            <source>%1 分</source>
            <translation>%1 min</translation>
        </message>
        <message>
            <source>%1 秒</source>
            <translation>%1 s</translation>
        </message>
        <message>
            <source>ファイル %1 を開けません</source>
            <translation>Can't open the file %1</translation>
        </message>
        <message>
            <source>MIDI ファイル %1 を開けません</source>
            <translation>Can't open the MIDI file %1</translation>
        </message>
        <message>
            <source>%1 は MP3 に変換できる音声ファイルではありません</source>
            <translation>%1 is not an audio file that can be converted to MP3</translation>
        </message>
        <message>
            <source>%1 のサンプリング周波数 (%2 Hz) は変換できません</source>
            <translation>The sample rate of %1 (%2 Hz) can't be converted</translation>
        </message>
        <message>
            <source>MP3 エンコーダーを %1 kbit/s に設定できません</source>
            <translation>Can't set the MP3 encoder to %1 kbit/s</translation>
        </message>
        <message>
            <source>変換を取り消しました</source>
            <translation>The conversion was cancelled</translation>
        </message>
        <message>
            <source>%1 は長すぎて MP3 に変換できません (%2まで)</source>
            <translation>%1 is too long to convert to MP3 (at most %2)</translation>
        </message>
        <message>
            <source>%1 は途中から読めません。壊れているか、途中で切れています</source>
            <translation>%1 can't be read to the end. It is damaged or cut short</translation>
        </message>
        <message>
            <source>%1 には変換できる音が入っていません</source>
            <translation>%1 holds no sound to convert</translation>
        </message>
        <message>
            <source>%1 は再生できる標準 MIDI ファイルではありません</source>
            <translation>%1 is not a standard MIDI file that can be played</translation>
        </message>
        <message>
            <source>MIDI デバイスを開けません。
音声の出力先 (%1) がどれも使えません</source>
            <translation>Can't open the MIDI device.
None of the audio outputs (%1) can be used</translation>
        </message>
        <message>
            <source>再生する MIDI ファイルが開かれていません</source>
            <translation>No MIDI file is open to play</translation>
        </message>
        <message>
            <source>MIDI シンセサイザーを用意できません</source>
            <translation>Can't prepare the MIDI synthesizer</translation>
        </message>
        <message>
            <source>サウンドフォント %1 を読み込めません</source>
            <translation>Can't load the SoundFont %1</translation>
        </message>
        <message>
            <source>再生するファイルが開かれていません</source>
            <translation>No file is open to play</translation>
        </message>
        <message>
            <source>関連づけられたコマンド "%1" の書式が正しくありません (末尾の %)</source>
            <translation>The associated command "%1" is malformed (% at the end)</translation>
        </message>
        <message>
            <source>関連づけられたコマンド "%1" の書式が正しくありません (%s が二つ以上あります)</source>
            <translation>The associated command "%1" is malformed (more than one %s)</translation>
        </message>
        <message>
            <source>関連づけられたコマンド "%1" の書式が正しくありません (%%2 は使えません)</source>
            <translation>The associated command "%1" is malformed (%%2 can't be used)</translation>
        </message>
        <message>
            <source>起動するプログラムがコマンドにありません</source>
            <translation>The command names no program to start</translation>
        </message>
        <message>
            <source>%1 を起動できません (%2)</source>
            <translation>Can't start %1 (%2)</translation>
        </message>
        <message>
            <source>サウンドフォント %1 が見つかりません</source>
            <translation>The SoundFont %1 is not found</translation>
        </message>
        <message>
            <source>General MIDI のサウンドフォントが見つかりません。
サウンドフォント (.sf2) を設定で指定するか、システムに入れてください</source>
            <translation>No General MIDI SoundFont is found.
Choose a SoundFont (.sf2) in the settings, or install one on the system</translation>
        </message>
    </context>
    <context>
        <name>MidiTunes</name>
        <message>
            <source>「%1」の曲には番号の小さい「%2」(番号 %3) の曲を使いました. ほかの番号の場面: %4.</source>
            <translation>"%1" took the tune of "%2", the lower number (number %3). Scenes of the other numbers: %4.</translation>
        </message>
        <message>
            <source>「%1」の番号には MIDI の場面がありません.</source>
            <translation>The number of "%1" has no MIDI scene.</translation>
        </message>
        <message>
            <source>「%1」の MIDI の場面「%2」には, この設定にもゲームにも曲がありません.</source>
            <translation>The MIDI scene "%2" of "%1" has no tune in this configuration or in the game.</translation>
        </message>
        <message>
            <source>次の曲はそのままにしました.
%1</source>
            <translation>These tunes were left as they are:
%1</translation>
        </message>
    </context>
    <context>
        <name>MusicSets</name>
        <message>
            <source>デジタル (MP3)</source>
            <translation>Digital (MP3)</translation>
        </message>
    </context>
    <context>
        <name>Packages</name>
        <message>
            <source>パッケージの外を指しています</source>
            <translation>points outside the package</translation>
        </message>
        <message>
            <source>書庫の外を指しています</source>
            <translation>points outside the archive</translation>
        </message>
    </context>
    <context>
        <name>Scenes</name>
        <message>
            <source>未使用</source>
            <translation>Unused</translation>
        </message>
        <message>
            <source>ブリティン</source>
            <translation>Britain</translation>
        </message>
        <message>
            <source>ブラックソーン城</source>
            <translation>Blackthorn's Castle</translation>
        </message>
        <message>
            <source>バッカニアーズデン</source>
            <translation>Buccaneer's Den</translation>
        </message>
        <message>
            <source>戦闘1</source>
            <translation>Combat 1</translation>
        </message>
        <message>
            <source>戦闘2</source>
            <translation>Combat 2</translation>
        </message>
        <message>
            <source>戦闘3</source>
            <translation>Combat 3</translation>
        </message>
        <message>
            <source>コーブ</source>
            <translation>Cove</translation>
        </message>
        <message>
            <source>フィールド1</source>
            <translation>Field 1</translation>
        </message>
        <message>
            <source>死亡</source>
            <translation>Death</translation>
        </message>
        <message>
            <source>フィールド2</source>
            <translation>Field 2</translation>
        </message>
        <message>
            <source>ダンジョン1</source>
            <translation>Dungeon 1</translation>
        </message>
        <message>
            <source>ダンジョン2</source>
            <translation>Dungeon 2</translation>
        </message>
        <message>
            <source>フィールド3</source>
            <translation>Field 3</translation>
        </message>
        <message>
            <source>森・森周辺など</source>
            <translation>Forests and around them</translation>
        </message>
        <message>
            <source>ジェローム</source>
            <translation>Jhelom</translation>
        </message>
        <message>
            <source>ジャングル</source>
            <translation>Jungle</translation>
        </message>
        <message>
            <source>ロードブリティッシュ城</source>
            <translation>Lord British's Castle</translation>
        </message>
        <message>
            <source>フィールド4</source>
            <translation>Field 4</translation>
        </message>
        <message>
            <source>マジンシア</source>
            <translation>Magincia</translation>
        </message>
        <message>
            <source>ミノック</source>
            <translation>Minoc</translation>
        </message>
        <message>
            <source>ムーングロー</source>
            <translation>Moonglow</translation>
        </message>
        <message>
            <source>フィールド5</source>
            <translation>Field 5</translation>
        </message>
        <message>
            <source>デシート島・ヒスロス島など</source>
            <translation>Deceit Isle, Hythloth Isle and others</translation>
        </message>
        <message>
            <source>ニュジェルン</source>
            <translation>Nujel'm</translation>
        </message>
        <message>
            <source>オクロー</source>
            <translation>Occlo</translation>
        </message>
        <message>
            <source>ランダム1</source>
            <translation>Random 1</translation>
        </message>
        <message>
            <source>特定のBGMが選択されなかった場合</source>
            <translation>When no particular music is chosen</translation>
        </message>
        <message>
            <source>ランダム2</source>
            <translation>Random 2</translation>
        </message>
        <message>
            <source>ランダム3</source>
            <translation>Random 3</translation>
        </message>
        <message>
            <source>ランダム4</source>
            <translation>Random 4</translation>
        </message>
        <message>
            <source>ランダム5</source>
            <translation>Random 5</translation>
        </message>
        <message>
            <source>ランダム6</source>
            <translation>Random 6</translation>
        </message>
        <message>
            <source>フィールド6</source>
            <translation>Field 6</translation>
        </message>
        <message>
            <source>Wrong近辺など</source>
            <translation>Around Wrong and others</translation>
        </message>
        <message>
            <source>航海</source>
            <translation>Sailing</translation>
        </message>
        <message>
            <source>サーパンツ・ホールド</source>
            <translation>Serpent's Hold</translation>
        </message>
        <message>
            <source>スカラ・ブレイ</source>
            <translation>Skara Brae</translation>
        </message>
        <message>
            <source>タイトル</source>
            <translation>Title</translation>
        </message>
        <message>
            <source>沼地</source>
            <translation>Swamp</translation>
        </message>
        <message>
            <source>街1</source>
            <translation>Town 1</translation>
        </message>
        <message>
            <source>街のメインテーマ終了後など</source>
            <translation>After a town's main theme and others</translation>
        </message>
        <message>
            <source>街2</source>
            <translation>Town 2</translation>
        </message>
        <message>
            <source>街3</source>
            <translation>Town 3</translation>
        </message>
        <message>
            <source>街4</source>
            <translation>Town 4</translation>
        </message>
        <message>
            <source>トリンシック</source>
            <translation>Trinsic</translation>
        </message>
        <message>
            <source>ベスパー</source>
            <translation>Vesper</translation>
        </message>
        <message>
            <source>ウインド</source>
            <translation>Wind</translation>
        </message>
        <message>
            <source>ユー</source>
            <translation>Yew</translation>
        </message>
        <message>
            <source>番号 %1</source>
            <translation>Number %1</translation>
        </message>
    </context>
    <context>
        <name>WorkFolder</name>
        <message>
            <source>作業フォルダを作成できません: %1</source>
            <translation>Can't create the work folder: %1</translation>
        </message>
    </context>
</TS>
