<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
    <context>
        <name>Cli</name>
        <message>
            <source>(none)</source>
            <translation>(なし)</translation>
        </message>
        <message>
            <source>digital music: several files are named like %1; the track is left alone</source>
            <translation>デジタルの曲: %1 と同じ名前のファイルがいくつもあります. このトラックはそのままにします</translation>
        </message>
        <message>
            <source>digital music: 1 line of %1 is no track and skipped</source>
            <translation>デジタルの曲: %1 の 1 行はトラックではないので読み飛ばしました</translation>
        </message>
        <message>
            <source>digital music: %1 lines of %2 are no track and skipped</source>
            <translation>デジタルの曲: %2 の %1 行はトラックではないので読み飛ばしました</translation>
        </message>
        <message>
            <source>the settings file %1 has lines that can't be read (line %2); they are not used</source>
            <translation>設定ファイル %1 に読めない行があります (%2 行目). その行は使いません</translation>
        </message>
        <message>
            <source>the settings file %1 has lines that can't be read (lines %2); they are not used</source>
            <translation>設定ファイル %1 に読めない行があります (%2 行目). それらの行は使いません</translation>
        </message>
        <message>
            <source>the settings file %1 has lines that can't be read (line %2); they are not used; the file as it was is kept as %3</source>
            <translation>設定ファイル %1 に読めない行があります (%2 行目). その行は使いません. 元のファイルは %3 として残しました</translation>
        </message>
        <message>
            <source>the settings file %1 has lines that can't be read (lines %2); they are not used; the file as it was is kept as %3</source>
            <translation>設定ファイル %1 に読めない行があります (%2 行目). それらの行は使いません. 元のファイルは %3 として残しました</translation>
        </message>
        <message>
            <source>no folder for the settings: $XDG_DATA_HOME/melodeck can't be made</source>
            <translation>設定を置くフォルダがありません: $XDG_DATA_HOME/melodeck を作れません</translation>
        </message>
        <message>
            <source>there are no settings yet (%1): start Melodeck's window once and confirm its first question</source>
            <translation>まだ設定がありません (%1): 一度 Melodeck のウインドウを起動して, 最初の問いに答えてください</translation>
        </message>
        <message>
            <source>the game in %1 has no music to manage</source>
            <translation>%1 のゲームには扱える音楽がありません</translation>
        </message>
        <message>
            <source>there is no configuration "%1" (melodeck --list shows them)</source>
            <translation>設定「%1」はありません (melodeck --list で一覧を表示します)</translation>
        </message>
        <message>
            <source>  (no work folder: %1)</source>
            <translation>  (作業フォルダがありません: %1)</translation>
        </message>
        <message>
            <source>archive entries can't be extracted: no work folder (%1)</source>
            <translation>書庫の中のファイルを取り出せません: 作業フォルダがありません (%1)</translation>
        </message>
        <message>
            <source> (to convert)</source>
            <translation> (変換します)</translation>
        </message>
        <message>
            <source> (converted before, cached)</source>
            <translation> (変換済み, キャッシュにあります)</translation>
        </message>
        <message>
            <source> (can't convert: %1)</source>
            <translation> (変換できません: %1)</translation>
        </message>
        <message>
            <source>%1: %2 would change, %3 unchanged, %4 missing; nothing was written</source>
            <translation>%1: 変更 %2, 変更なし %3, 見つからない %4. 何も書き込んでいません</translation>
        </message>
        <message>
            <source>the record of written files can't be saved (%1): no game file was replaced</source>
            <translation>書き込んだファイルの記録を保存できません (%1): ゲームのファイルは何も置き換えていません</translation>
        </message>
        <message>
            <source>warning: the game is running; the piece it is playing now does not change until it loads it again</source>
            <translation>警告: ゲームが起動中です. 今演奏中の曲は, ゲームが読み込み直すまで変わりません</translation>
        </message>
        <message>
            <source>%1: %2 copied, %3 failed, %4 missing</source>
            <translation>%1: コピー %2, 失敗 %3, 見つからない %4</translation>
        </message>
        <message>
            <source>not a package file (.mdk): %1</source>
            <translation>パッケージファイル (.mdk) ではありません: %1</translation>
        </message>
        <message>
            <source>imported as "%1"</source>
            <translation>「%1」として読み込みました</translation>
        </message>
        <message>
            <source>give one of --list, --apply NAME [--dry-run], --export NAME FILE.mdk or --import FILE.mdk [--as NAME] [--overwrite] (--help tells more)</source>
            <translation>--list, --apply NAME [--dry-run], --export NAME FILE.mdk, --import FILE.mdk [--as NAME] [--overwrite] のどれか 1 つを指定してください (詳しくは --help)</translation>
        </message>
        <message>
            <source>another Melodeck is running: close its window (or wait for the other command) and try again</source>
            <translation>ほかの Melodeck が動いています: そのウインドウを閉じて (またはほかのコマンドが終わるのを待って) からやり直してください</translation>
        </message>
    </context>
    <context>
        <name>CliCopy</name>
        <message>
            <source>no such file</source>
            <translation>ファイルがありません</translation>
        </message>
        <message>
            <source>the source is a folder</source>
            <translation>コピー元がフォルダです</translation>
        </message>
        <message>
            <source>the source is not a regular file</source>
            <translation>コピー元が通常のファイルではありません</translation>
        </message>
        <message>
            <source>the source can't be read</source>
            <translation>コピー元のファイルを読み込めません</translation>
        </message>
        <message>
            <source>the target is a folder</source>
            <translation>コピー先がフォルダです</translation>
        </message>
        <message>
            <source>write-protected</source>
            <translation>書き込みが禁止されています</translation>
        </message>
        <message>
            <source>the disk is full</source>
            <translation>ディスクの空き容量が足りません</translation>
        </message>
        <message>
            <source>in use</source>
            <translation>ファイルを使用中です</translation>
        </message>
        <message>
            <source>the disk failed to write</source>
            <translation>ディスクへの書き込みに失敗しました</translation>
        </message>
        <message>
            <source>the game's file has no backup</source>
            <translation>ゲームのファイルにバックアップがありません</translation>
        </message>
        <message>
            <source>the game's file can't be read</source>
            <translation>ゲームのファイルを読めません</translation>
        </message>
        <message>
            <source>the game's file can't be kept beside its backup</source>
            <translation>ゲームのファイルをバックアップの隣に残せません</translation>
        </message>
        <message>
            <source>the record of written files can't be saved</source>
            <translation>書き込んだファイルの記録を保存できません</translation>
        </message>
        <message>
            <source>not a kind of file this music takes</source>
            <translation>この音楽には使えない種類のファイルです</translation>
        </message>
    </context>
    <context>
        <name>CliHelp</name>
        <message>
            <source>Melodeck: the game's background music, by configuration.
Without options the window opens (with FILE.mdk, to import that package).
Exit status: 0 done, 1 error, 2 unknown configuration, 3 copies failed or files missing,
4 another Melodeck is running, 5 no settings yet (start the window once).</source>
            <translation>Melodeck: ゲームの BGM を設定ごとに入れ替えます.
オプションなしではウインドウが開きます (FILE.mdk を指定すると, そのパッケージを読み込みます).
終了ステータス: 0 完了, 1 エラー, 2 その名前の設定がない, 3 コピーの失敗または見つからないファイルがある,
4 ほかの Melodeck が動いている, 5 まだ設定がない (一度ウインドウを起動してください).</translation>
        </message>
        <message>
            <source>The configurations, one a line; * marks the last applied.</source>
            <translation>設定を 1 行に 1 つ表示します. * は最後に適用した設定です.</translation>
        </message>
        <message>
            <source>Applies configuration NAME without a window.</source>
            <translation>設定 NAME をウインドウなしで適用します.</translation>
        </message>
        <message>
            <source>With --apply: show what would be copied; write nothing.</source>
            <translation>--apply と共に: コピーされるファイルを表示し, 何も書き込みません.</translation>
        </message>
        <message>
            <source>Writes configuration NAME with its music as package FILE.mdk.</source>
            <translation>設定 NAME を曲ごとパッケージ FILE.mdk に書き出します.</translation>
        </message>
        <message>
            <source>Imports package FILE.mdk.</source>
            <translation>パッケージ FILE.mdk を読み込みます.</translation>
        </message>
        <message>
            <source>With --import: store it under NAME.</source>
            <translation>--import と共に: NAME という名前で保存します.</translation>
        </message>
        <message>
            <source>With --import: replace a configuration of the same name.</source>
            <translation>--import と共に: 同じ名前の設定を置き換えます.</translation>
        </message>
        <message>
            <source>The game to work on, by its folder (a Linux path or a Windows path of the prefix); alone: opens the window on it and keeps it.</source>
            <translation>扱うゲームのフォルダ (Linux のパス, またはプレフィックスの Windows のパス). これだけを指定すると, そのゲームでウインドウを開き, ゲームを覚えます.</translation>
        </message>
        <message>
            <source>A package to import (opens the window); with --export, the package to write.</source>
            <translation>読み込むパッケージ (ウインドウが開きます). --export と共に: 書き出すパッケージ.</translation>
        </message>
    </context>
    <context>
        <name>CliImport</name>
        <message>
            <source>a configuration "%1" exists: give --overwrite to replace it, or --as with another name</source>
            <translation>設定「%1」はすでにあります: 置き換えるには --overwrite を, 別の名前にするには --as を指定してください</translation>
        </message>
        <message>
            <source>give --as with another name</source>
            <translation>--as で別の名前を指定してください</translation>
        </message>
        <message>
            <source>"%1" is the game's own music and is never stored: give --as with another name</source>
            <translation>「%1」はゲーム本来の曲で, 保存できません: --as で別の名前を指定してください</translation>
        </message>
        <message>
            <source>"%1" can't name a configuration (in use, too short, reserved, or with characters a file name can't hold): give --as with another name</source>
            <translation>「%1」は設定の名前に使えません (使用中, 短すぎる, 予約されている, またはファイル名に使えない文字がある): --as で別の名前を指定してください</translation>
        </message>
        <message>
            <source>the package is damaged: the files of %1 scene(s) are missing from it; they stay standard</source>
            <translation>パッケージが壊れています: %1 場面のファイルがありません. それらの場面は標準のままです</translation>
        </message>
        <message>
            <source>not imported</source>
            <translation>読み込みませんでした</translation>
        </message>
        <message>
            <source>not a package: %1 is no LHA archive</source>
            <translation>パッケージではありません: %1 は LHA 書庫ではありません</translation>
        </message>
        <message>
            <source>not a package: %1 holds no index.ini</source>
            <translation>パッケージではありません: %1 に index.ini がありません</translation>
        </message>
        <message>
            <source>not a package: the index.ini of %1 names no configuration</source>
            <translation>パッケージではありません: %1 の index.ini に設定の名前がありません</translation>
        </message>
        <message>
            <source>the package is damaged and was not imported: %1</source>
            <translation>パッケージが壊れているので読み込みませんでした: %1</translation>
        </message>
        <message>
            <source>not imported: the work folder can't be made</source>
            <translation>読み込みませんでした: 作業フォルダを作れません</translation>
        </message>
        <message>
            <source>not imported: no folder to unpack the package into can be made beside the settings</source>
            <translation>読み込みませんでした: 設定の隣にパッケージを展開するフォルダを作れません</translation>
        </message>
        <message>
            <source>not imported: a file in the work folder can't be replaced</source>
            <translation>読み込みませんでした: 作業フォルダのファイルを置き換えられません</translation>
        </message>
    </context>
    <context>
        <name>CliStart</name>
        <message>
            <source>the program's own path can't be read from /proc/self/exe</source>
            <translation>プログラム自身のパスを /proc/self/exe から読めません</translation>
        </message>
        <message>
            <source>another Melodeck is running and did not take the package; open it from its window</source>
            <translation>ほかの Melodeck が動いていますが, パッケージを受け取りませんでした. そのウインドウから開いてください</translation>
        </message>
        <message>
            <source>packages opened later will not reach this window (%1)</source>
            <translation>これから開くパッケージはこのウインドウに届きません (%1)</translation>
        </message>
        <message>
            <source>the client was not found: Wine prefix %1, registry %1/system.reg, value ExePath of %2 (32-bit view) = "%3", but that file or the music folder beside it is not there</source>
            <translation>クライアントが見つかりません: Wine プレフィックス %1, レジストリ %1/system.reg, %2 (32 ビット) の値 ExePath は "%3" ですが, そのファイルかその隣の music フォルダがありません</translation>
        </message>
        <message>
            <source>the client was not found: Wine prefix %1, registry %1/system.reg, value ExePath of %2 (32-bit view) is not there</source>
            <translation>クライアントが見つかりません: Wine プレフィックス %1, レジストリ %1/system.reg に %2 (32 ビット) の値 ExePath がありません</translation>
        </message>
    </context>
    <context>
        <name>CliStatus</name>
        <message>
            <source>FAILED</source>
            <translation>失敗</translation>
        </message>
        <message>
            <source>cached</source>
            <translation>キャッシュ</translation>
        </message>
        <message>
            <source>converted</source>
            <translation>変換</translation>
        </message>
        <message>
            <source>change</source>
            <translation>変更</translation>
        </message>
        <message>
            <source>same</source>
            <translation>同じ</translation>
        </message>
        <message>
            <source>missing</source>
            <translation>なし</translation>
        </message>
        <message>
            <source>copied</source>
            <translation>コピー</translation>
        </message>
        <message>
            <source>MISSING</source>
            <translation>なし</translation>
        </message>
        <message>
            <source>kept</source>
            <translation>保存</translation>
        </message>
    </context>
    <context>
        <name>EnglishMessages</name>
        <message>
            <source>"Client.exe" was not found.</source>
            <translation>"Client.exe" が見つかりません。</translation>
        </message>
    </context>
</TS>
