<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Controls</name>
    <message>
        <source>Invalid combination of Gnd (%d) and AssociatedInputPin (%d).</source>
        <translation>Недопустимое сочетание Gnd (%d) и AssociatedInputPin (%d).</translation>
    </message>
</context>
<context>
    <name>Emulator</name>
    <message>
        <source>%s/%s outside subroutine?</source>
        <translation>%s/%s вне подпрограммы?</translation>
    </message>
    <message>
        <source>%s in subroutine?</source>
        <translation>%s в подпрограмме?</translation>
    </message>
    <message>
        <source>%s: was previous %s not processed?</source>
        <translation>%s: предыдущая команда %s не была выполнена?</translation>
    </message>
    <message>
        <source>Querying input for R%s=0</source>
        <translation>Опрос входов при R%s=0</translation>
    </message>
    <message>
        <source>Querying Alpha state</source>
        <translation>Опрос состояния Alpha</translation>
    </message>
    <message>
        <source>Querying Beta state</source>
        <translation>Опрос состояния Beta</translation>
    </message>
</context>
<context>
    <name>Stream</name>
    <message>
        <source>Error loading debug session - the audio position %d lies outside the recorded sound (%d samples).</source>
        <translation>Ошибка загрузки отладочного сеанса: позиция звука %d лежит за пределами записанного звука (%d отсчётов).</translation>
    </message>
    <message>
        <source>Error loading debug session - invalid signature.</source>
        <translation>Ошибка загрузки отладочного сеанса: неверная сигнатура.</translation>
    </message>
    <message>
        <source>Stream read error</source>
        <translation>Ошибка чтения потока</translation>
    </message>
    <message>
        <source>Stream write error</source>
        <translation>Ошибка записи потока</translation>
    </message>
    <message>
        <source>Stream error! Contains more data than expected.</source>
        <translation>Ошибка потока! Данных больше, чем ожидалось.</translation>
    </message>
    <message>
        <source>Stream error! A stored count is negative (%d).</source>
        <translation>Ошибка потока! Сохранённое количество отрицательно (%d).</translation>
    </message>
    <message>
        <source>Stream error! A stored count (%d) needs more data than is left.</source>
        <translation>Ошибка потока! Сохранённому количеству (%d) нужно больше данных, чем осталось.</translation>
    </message>
    <message>
        <source>String list does not allow duplicates</source>
        <translation>Список строк не допускает повторов</translation>
    </message>
</context>
</TS>
