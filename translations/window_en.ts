<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
    <context>
        <name>Configurations</name>
        <message>
            <source>Melodeck - 設定の新規作成</source>
            <translation>Melodeck - New Configuration</translation>
        </message>
        <message>
            <source>作成する設定の名前を入力してください</source>
            <translation>Enter a name for the new configuration</translation>
        </message>
        <message>
            <source>設定%1を削除します</source>
            <translation>Configuration %1 will be deleted</translation>
        </message>
        <message>
            <source>Melodeck - 設定名の変更</source>
            <translation>Melodeck - Rename Configuration</translation>
        </message>
        <message>
            <source>新しい名前を入力してください</source>
            <translation>Enter the new name</translation>
        </message>
        <message>
            <source>標準</source>
            <translation>標準 (the game's own music)</translation>
        </message>
    </context>
    <context>
        <name>Convert</name>
        <message>
            <source>曲の変換</source>
            <translation>Converting Tunes</translation>
        </message>
        <message>
            <source>キャンセル</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>曲を MP3 に変換しています (%1/%2)
%3</source>
            <translation>Converting tunes to MP3 (%1/%2)
%3</translation>
        </message>
        <message>
            <source>適用を取り消しました
ゲームの曲はどれも変更していません</source>
            <translation>Applying was cancelled
None of the game's tunes were changed</translation>
        </message>
    </context>
    <context>
        <name>Folders</name>
        <message>
            <source>リムーバブル ディスク (%1:)</source>
            <translation>Removable Disk (%1:)</translation>
        </message>
        <message>
            <source>ローカル ディスク (%1:)</source>
            <translation>Local Disk (%1:)</translation>
        </message>
        <message>
            <source>マイ コンピュータ</source>
            <translation>My Computer</translation>
        </message>
        <message>
            <source>ごみ箱</source>
            <translation>Trash</translation>
        </message>
        <message>
            <source>コントロール パネル</source>
            <translation>Control Panel</translation>
        </message>
        <message>
            <source>プリンタ</source>
            <translation>Printers</translation>
        </message>
    </context>
    <context>
        <name>Packages</name>
        <message>
            <source>%1を読み込みますか？</source>
            <translation>Import %1?</translation>
        </message>
        <message>
            <source>設定 "%1" はすでに使われています
上書きしますか？

別の名前で登録する場合は "いいえ" を選択してください</source>
            <translation>The configuration "%1" already exists
Do you want to overwrite it?

Choose "No" to import it under another name</translation>
        </message>
        <message>
            <source>"%1" は有効な名前ではありません</source>
            <translation>"%1" is not a valid name</translation>
        </message>
        <message>
            <source>新しい設定名を入力してください</source>
            <translation>Enter a new configuration name</translation>
        </message>
    </context>
    <context>
        <name>Reports</name>
        <message>
            <source>バックアップファイルがありません.
</source>
            <translation>These backup files are missing.
</translation>
        </message>
        <message>
            <source>パッケージにありません</source>
            <translation>not in the package</translation>
        </message>
        <message>
            <source>パッケージファイルが壊れています: %1
次の場面は標準のままにしました</source>
            <translation>The package file is damaged: %1
These scenes were left with the game's own music</translation>
        </message>
        <message>
            <source>次の場面はパッケージの外のファイルを指しているため標準のままにしました</source>
            <translation>These scenes point to files outside the package, so they were left with the game's own music</translation>
        </message>
        <message>
            <source>パッケージファイルを展開できません: %1</source>
            <translation>Cannot extract the package file: %1</translation>
        </message>
        <message>
            <source>パッケージ展開用フォルダを確保できません</source>
            <translation>Cannot get a folder to extract the package into</translation>
        </message>
        <message>
            <source>ディレクトリを作成できません: %1</source>
            <translation>Cannot create the folder: %1</translation>
        </message>
        <message>
            <source>パッケージファイルを作成しました</source>
            <translation>The package file was created</translation>
        </message>
        <message>
            <source>初期化に失敗しました: ディレクトリを削除できません</source>
            <translation>Could not prepare: cannot delete the folder</translation>
        </message>
        <message>
            <source>ディレクトリを作成できません</source>
            <translation>Cannot create the folder</translation>
        </message>
        <message>
            <source>パッケージ化するファイルがありません</source>
            <translation>There are no files to put in the package</translation>
        </message>
        <message>
            <source>パッケージファイルの初期化に失敗しました</source>
            <translation>Could not prepare the package file</translation>
        </message>
        <message>
            <source>パッケージファイルの作成に失敗しました</source>
            <translation>Could not create the package file</translation>
        </message>
        <message>
            <source>既存の設定と同じ名前は使えません</source>
            <translation>A configuration with that name already exists</translation>
        </message>
        <message>
            <source>ファイル名に使用できない文字は使えません</source>
            <translation>The name contains characters that file names cannot have</translation>
        </message>
        <message>
            <source>ゲームの更新で次の音楽ファイルが新しくなっていました.
新しいファイルをバックアップ (標準の設定) として使います.
以前のバックアップは日付を付けた名前で同じフォルダに残してあります.
</source>
            <translation>A game update replaced these music files.
The new files are now the backup (the configuration 標準, the game's own music).
The earlier backups are kept in the same folder under dated names.
</translation>
        </message>
        <message>
            <source>設定ファイルの次の行は読めないため使われません.
%1: %2 行目
読める内容はそのまま使います.</source>
            <translation>These lines of the settings file cannot be read and are not used.
%1: line %2
Everything that can be read is used as it is.</translation>
        </message>
        <message>
            <source>
元のファイルは %1 に残してあります.</source>
            <translation>
The original file is kept as %1.</translation>
        </message>
        <message>
            <source>次の曲は, 名前が同じ (大文字と小文字だけが違う) ファイルが複数あるため, どれも使いません.
ゲームもどちらを演奏するか決まりません. 一つだけ残してください.
</source>
            <translation>These tunes have several files with the same name (differing only in upper and lower case), so none of them is used.
The game cannot tell which one to play either. Please keep only one.
</translation>
        </message>
        <message>
            <source>%1 の %2 行は曲として読めないため, 使いません.</source>
            <translation>%2 lines of %1 cannot be read as tunes and are not used.</translation>
        </message>
    </context>
    <context>
        <name>TFormAbout</name>
        <message>
            <source>バージョン情報</source>
            <translation>About Melodeck</translation>
        </message>
        <message>
            <source>起動中です...</source>
            <translation>Starting...</translation>
        </message>
    </context>
    <context>
        <name>TFormMain</name>
        <message>
            <source>"標準"の曲は変更できません。新しい設定を作成してください</source>
            <translation>The tunes of "標準" (the game's own music) cannot be changed. Please create a new configuration</translation>
        </message>
        <message>
            <source>%1 にこのファイルを割り当てる(&amp;A)</source>
            <translation>&amp;Assign This File to %1</translation>
        </message>
        <message>
            <source>Melodeck パッケージファイル(*.mdk)|*.mdk</source>
            <translation>Melodeck package file (*.mdk)|*.mdk</translation>
        </message>
        <message>
            <source>パッケージの読み込み</source>
            <translation>Import Package</translation>
        </message>
        <message>
            <source>パッケージの書き出し</source>
            <translation>Export Package</translation>
        </message>
        <message>
            <source>場面</source>
            <translation>Scene</translation>
        </message>
        <message>
            <source>ファイル</source>
            <translation>File</translation>
        </message>
        <message>
            <source>|ダブルクリックで割り当てられているMIDIファイルを再生します</source>
            <translation>|Double-click to play the assigned MIDI file</translation>
        </message>
        <message>
            <source>|選択中の場面にMIDIファイルを割り当てるには右クリックします</source>
            <translation>|Right-click to assign a MIDI file to the selected scene</translation>
        </message>
        <message>
            <source>設定(&amp;C)</source>
            <translation>&amp;Configuration</translation>
        </message>
        <message>
            <source>現在の設定を適用(&amp;A)</source>
            <translation>&amp;Apply Current Configuration</translation>
        </message>
        <message>
            <source>|ファイルをコピーしてUOに反映させます</source>
            <translation>|Copies the files so that the game plays them</translation>
        </message>
        <message>
            <source>新規作成(&amp;N)</source>
            <translation>&amp;New</translation>
        </message>
        <message>
            <source>|新しい設定を作成します</source>
            <translation>|Creates a new configuration</translation>
        </message>
        <message>
            <source>ベースにする設定</source>
            <translation>Based On</translation>
        </message>
        <message>
            <source>|もとになる設定を選びます</source>
            <translation>|Chooses the configuration to start from</translation>
        </message>
        <message>
            <source>削除(&amp;D)</source>
            <translation>&amp;Delete</translation>
        </message>
        <message>
            <source>|設定を削除します</source>
            <translation>|Deletes a configuration</translation>
        </message>
        <message>
            <source>名前の変更(&amp;R)</source>
            <translation>&amp;Rename</translation>
        </message>
        <message>
            <source>すべて MIDI の曲にする(&amp;M)</source>
            <translation>Use &amp;MIDI Tunes Everywhere</translation>
        </message>
        <message>
            <source>|デジタルの曲それぞれに, 同じ場面の MIDI の曲を割り当てます</source>
            <translation>|Assigns to each digital track the MIDI tune of the same scene</translation>
        </message>
        <message>
            <source>パッケージ(&amp;P)</source>
            <translation>&amp;Package</translation>
        </message>
        <message>
            <source>パッケージの読み込み(&amp;I)...</source>
            <translation>&amp;Import Package...</translation>
        </message>
        <message>
            <source>|パッケージを読み込み新しい設定として加えます</source>
            <translation>|Imports a package as a new configuration</translation>
        </message>
        <message>
            <source>パッケージの書き出し(&amp;E)...</source>
            <translation>&amp;Export Package...</translation>
        </message>
        <message>
            <source>|選択されている設定をパッケージとして書き出します</source>
            <translation>|Exports the selected configuration as a package</translation>
        </message>
        <message>
            <source>適用して終了(&amp;S)</source>
            <translation>Apply and Clo&amp;se</translation>
        </message>
        <message>
            <source>終了(&amp;X)</source>
            <translation>E&amp;xit</translation>
        </message>
        <message>
            <source>プレイヤー(&amp;P)</source>
            <translation>&amp;Player</translation>
        </message>
        <message>
            <source>再生(&amp;P)</source>
            <translation>&amp;Play</translation>
        </message>
        <message>
            <source>|エディットボックスに入力されているファイルを再生します</source>
            <translation>|Plays the file named in the edit box</translation>
        </message>
        <message>
            <source>停止(&amp;S)</source>
            <translation>&amp;Stop</translation>
        </message>
        <message>
            <source>|演奏を停止します</source>
            <translation>|Stops playing</translation>
        </message>
        <message>
            <source>表示(&amp;V)</source>
            <translation>&amp;View</translation>
        </message>
        <message>
            <source>ファイルにジャンプ(&amp;J)</source>
            <translation>&amp;Jump to File</translation>
        </message>
        <message>
            <source>|割り当てられているファイルを表示します</source>
            <translation>|Shows the assigned file</translation>
        </message>
        <message>
            <source>自動でファイルにジャンプ(&amp;A)</source>
            <translation>Jump to File &amp;Automatically</translation>
        </message>
        <message>
            <source>|常に設定されているファイルを直ちに表示するようにします</source>
            <translation>|Always shows the assigned file at once</translation>
        </message>
        <message>
            <source>ツールバー(&amp;T)</source>
            <translation>&amp;Toolbars</translation>
        </message>
        <message>
            <source>一般(&amp;M)</source>
            <translation>&amp;Main</translation>
        </message>
        <message>
            <source>フォルダツリーを最新の情報に更新(&amp;U)</source>
            <translation>&amp;Update Folder Tree</translation>
        </message>
        <message>
            <source>|フォルダツリーを最新の情報に更新します</source>
            <translation>|Brings the folder tree up to date</translation>
        </message>
        <message>
            <source>オプション(&amp;O)</source>
            <translation>&amp;Options</translation>
        </message>
        <message>
            <source>関連づけされているプレイヤーを使う(&amp;A)</source>
            <translation>Use the &amp;Associated Player</translation>
        </message>
        <message>
            <source>|Melodeck のMIDIプレイヤーを使わずに関連づけされているプレイヤーを利用します</source>
            <translation>|Plays with the desktop's associated player instead of Melodeck's MIDI player</translation>
        </message>
        <message>
            <source>終了時に外部プレイヤーも終了(&amp;W)</source>
            <translation>Close External Players &amp;When Exiting</translation>
        </message>
        <message>
            <source>|Melodeck 終了時に関連づけされたプレイヤーが起動していればそれも終了します</source>
            <translation>|When Melodeck exits, the associated players it started are closed too</translation>
        </message>
        <message>
            <source>ツリーウインドウダブルクリックで(&amp;D)</source>
            <translation>&amp;Double-Click in the Tree</translation>
        </message>
        <message>
            <source>MIDIファイルを再生(&amp;P)</source>
            <translation>&amp;Plays the MIDI File</translation>
        </message>
        <message>
            <source>|ダブルクリックでファイルを再生します</source>
            <translation>|A double-click plays the file</translation>
        </message>
        <message>
            <source>そのファイルを割り当てる(&amp;A)</source>
            <translation>&amp;Assigns the File</translation>
        </message>
        <message>
            <source>|ダブルクリックで選択されている場面にファイルを割り当てます</source>
            <translation>|A double-click assigns the file to the selected scene</translation>
        </message>
        <message>
            <source>SoundFont の選択(&amp;F)...</source>
            <translation>Choose Sound&amp;Font...</translation>
        </message>
        <message>
            <source>|内蔵プレイヤーが使う SoundFont ファイルを選びます</source>
            <translation>|Chooses the SoundFont file the built-in player uses</translation>
        </message>
        <message>
            <source>変換済みの曲のキャッシュを削除(&amp;C)...</source>
            <translation>&amp;Clear Cache of Converted Tunes...</translation>
        </message>
        <message>
            <source>|デジタルの曲のために MP3 に変換して保存しておいた曲を削除します</source>
            <translation>|Deletes the tunes kept converted to MP3 for digital tracks</translation>
        </message>
        <message>
            <source>ゲームフォルダの追加(&amp;G)...</source>
            <translation>Add &amp;Game Folder...</translation>
        </message>
        <message>
            <source>|音楽を入れ替えるゲームのフォルダ (ClassicUO のフォルダなど) を加えます</source>
            <translation>|Adds the folder of a game whose music to change (such as ClassicUO's folder)</translation>
        </message>
        <message>
            <source>ヘルプ(&amp;H)</source>
            <translation>&amp;Help</translation>
        </message>
        <message>
            <source>サポートホームページ(&amp;S)</source>
            <translation>&amp;Support Homepage</translation>
        </message>
        <message>
            <source>|WEBブラウザを起動してサポートホームページを表示します</source>
            <translation>|Opens the support homepage in the web browser</translation>
        </message>
        <message>
            <source>バージョン情報(&amp;A)</source>
            <translation>&amp;About Melodeck</translation>
        </message>
        <message>
            <source>割り当てられているファイルにジャンプ(&amp;J)</source>
            <translation>&amp;Jump to Assigned File</translation>
        </message>
        <message>
            <source>この設定のみ標準に戻す(&amp;D)</source>
            <translation>&amp;Back to the Game's Own Tune</translation>
        </message>
        <message>
            <source>詳細説明を編集(&amp;E)</source>
            <translation>&amp;Edit Description</translation>
        </message>
        <message>
            <source>MIDI の曲を使う(&amp;M)</source>
            <translation>Use the &amp;MIDI Tune</translation>
        </message>
        <message>
            <source>このファイルに設定(&amp;A)</source>
            <translation>&amp;Assign This File</translation>
        </message>
        <message>
            <source>開く(&amp;O)</source>
            <translation>&amp;Open</translation>
        </message>
        <message>
            <source>終了|終了します</source>
            <translation>Exit|Exits Melodeck</translation>
        </message>
        <message>
            <source>適用|ファイルをコピーしてUOに反映させます</source>
            <translation>Apply|Copies the files so that the game plays them</translation>
        </message>
        <message>
            <source>ファイルにジャンプ|設定されているファイルを直ちに表示するようにします</source>
            <translation>Jump to File|Always shows the assigned file at once</translation>
        </message>
        <message>
            <source>|変更したい設定項目を選びます</source>
            <translation>|Chooses the configuration to change</translation>
        </message>
        <message>
            <source>|音楽を入れ替えるゲームを選びます</source>
            <translation>|Chooses the game whose music to change</translation>
        </message>
        <message>
            <source>|表示する音楽 (MIDI またはデジタル) を選びます</source>
            <translation>|Chooses the music shown (MIDI or digital)</translation>
        </message>
        <message>
            <source>再生|エディットボックスに入力されているファイルを再生します</source>
            <translation>Play|Plays the file named in the edit box</translation>
        </message>
        <message>
            <source>停止|演奏を停止します</source>
            <translation>Stop|Stops playing</translation>
        </message>
        <message>
            <source>|再生したいファイル名を入力します</source>
            <translation>|Enter the name of the file to play</translation>
        </message>
        <message>
            <source>使い方のページが見つかりません</source>
            <translation>The user manual cannot be found</translation>
        </message>
        <message>
            <source>ゲームフォルダの追加</source>
            <translation>Add Game Folder</translation>
        </message>
        <message>
            <source>変換済みの曲のキャッシュは空です.</source>
            <translation>The cache of converted tunes is empty.</translation>
        </message>
        <message>
            <source>変換済みの曲のキャッシュ (%1 MiB) を削除します.
削除した曲は, 次に適用するときにもう一度変換します.</source>
            <translation>The cache of converted tunes (%1 MiB) will be deleted.
The deleted tunes are converted again the next time you apply.</translation>
        </message>
        <message>
            <source>変換済みの曲のキャッシュの一部を削除できませんでした: %1</source>
            <translation>Part of the cache of converted tunes could not be deleted: %1</translation>
        </message>
        <message>
            <source>SoundFont の選択</source>
            <translation>Choose SoundFont</translation>
        </message>
        <message>
            <source>同じ場面名は付けられません</source>
            <translation>Another scene already has that name</translation>
        </message>
        <message>
            <source>場面の詳細説明を編集</source>
            <translation>Edit Scene Description</translation>
        </message>
        <message>
            <source>新しい場面の説明を入力してください</source>
            <translation>Enter the new description of the scene</translation>
        </message>
    </context>
</TS>
