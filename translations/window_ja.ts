<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
    <context>
        <name>EnglishMessages</name>
        <message>
            <source>DefaultDir not found</source>
            <translation>DefaultDir が見つかりません</translation>
        </message>
        <message>
            <source>Unknown error</source>
            <translation>不明なエラー</translation>
        </message>
    </context>
</TS>
