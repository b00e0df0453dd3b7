<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- SPDX-FileCopyrightText: 2026 Zelora developers -->
<!-- SPDX-License-Identifier: GPL-3.0-or-later -->
<!-- The program's own English texts outside the window's layout, in Russian. -->
<TS version="2.1" language="ru" sourcelanguage="en">
<context>
    <name>HelpWindow</name>
    <message>
        <source>Zelora Help</source>
        <translation>Справка Zelora</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Вперёд</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Содержание</translation>
    </message>
    <message>
        <source>Help file %1 could not be read: %2.</source>
        <translation>Не удалось прочитать файл справки %1: %2.</translation>
    </message>
    <message>
        <source>Help file %1 is damaged: it has no contents topic.</source>
        <translation>Файл справки %1 повреждён: в нём нет раздела содержания.</translation>
    </message>
    <message>
        <source>The help file name &quot;%1&quot; was refused: only a plain file name is looked up in the program&apos;s data folders.</source>
        <translation>Имя файла справки «%1» отклонено: файл справки ищется в папках данных программы только по простому имени.</translation>
    </message>
    <message>
        <source>Help file %1 was not found.
Looked in: %2.</source>
        <translation>Файл справки %1 не найден.
Просмотрены папки: %2.</translation>
    </message>
</context>
</TS>
