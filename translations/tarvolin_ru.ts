<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Artwork</name>
    <message>
        <source>pad %d %s</source>
        <translation>контакт %d %s</translation>
    </message>
    <message>
        <source>cannot read it: %s</source>
        <translation>не удаётся прочитать: %s</translation>
    </message>
    <message>
        <source>it has %ju bytes, more than the %ju allowed</source>
        <translation>в нём %ju байт, больше допустимых %ju</translation>
    </message>
    <message>
        <source>cannot open it</source>
        <translation>не удаётся открыть</translation>
    </message>
    <message>
        <source>cannot read it in full</source>
        <translation>не удаётся прочитать целиком</translation>
    </message>
    <message>
        <source>line %d: %s</source>
        <translation>строка %d: %s</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is no pad number (1 to 54)</source>
        <translation>«%s» — не номер контакта (от 1 до 54)</translation>
    </message>
    <message>
        <source>the pad number must be followed by COM0 or COM1</source>
        <translation>после номера контакта должно идти COM0 или COM1</translation>
    </message>
    <message>
        <source>a segment needs at least one point X,Y</source>
        <translation>сегменту нужна хотя бы одна точка X,Y</translation>
    </message>
    <message>
        <source>more than %zu points for one segment</source>
        <translation>больше %zu точек для одного сегмента</translation>
    </message>
    <message>
        <source>%s is listed twice</source>
        <translation>%s указан дважды</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is no point X,Y</source>
        <translation>«%s» — не точка X,Y</translation>
    </message>
    <message>
        <source>it is not a PNG file</source>
        <translation>это не файл PNG</translation>
    </message>
    <message>
        <source>the picture is %u x %u pixels; LCD pictures are %d x %d</source>
        <translation>картинка размером %u x %u пикселей; картинки ЖКИ имеют размер %d x %d</translation>
    </message>
    <message>
        <source>%zu pixels are neither black nor white (the first at %d,%d); segments must be pure black on pure white</source>
        <translation>пикселей не чёрного и не белого цвета: %zu (первый в %d,%d); сегменты должны быть чисто чёрными на чисто белом</translation>
    </message>
    <message>
        <source>%s: this glass has no such segment</source>
        <translation>%s: на этом стекле нет такого сегмента</translation>
    </message>
    <message>
        <source>%s: no inner point given</source>
        <translation>%s: не задана внутренняя точка</translation>
    </message>
    <message>
        <source>%s: the point %d,%d lies outside the picture</source>
        <translation>%s: точка %d,%d лежит за пределами картинки</translation>
    </message>
    <message>
        <source>%s: the point %d,%d is not on a black shape; a fill from it would colour the surroundings</source>
        <translation>%s: точка %d,%d не лежит на чёрной фигуре; заливка из неё закрасила бы фон</translation>
    </message>
    <message>
        <source>%s: the point %d,%d is on the shape of %s; the two segments would flood into each other</source>
        <translation>%s: точка %d,%d лежит на фигуре %s; заливка двух сегментов слилась бы</translation>
    </message>
    <message>
        <source>%s touches %s at a corner only; they stay apart</source>
        <translation>%s касается %s только углом; они остаются раздельными</translation>
    </message>
    <message>
        <source>%d black shapes belong to no segment and always show</source>
        <translation>чёрных фигур без сегмента (всегда видны): %d</translation>
    </message>
    <message>
        <source>%s: works, %zu shape(s)</source>
        <translation>%s: годится, фигур: %zu</translation>
    </message>
    <message>
        <source>the picture is missing beside its points file</source>
        <translation>рядом с файлом точек нет картинки</translation>
    </message>
    <message>
        <source>the points file is missing beside the picture</source>
        <translation>рядом с картинкой нет файла точек</translation>
    </message>
</context>
<context>
    <name>Breakpoints</name>
    <message>
        <source>Set read memory breakpoint on RAM address 0x%s?</source>
        <translation>Установить точку останова по чтению памяти на адрес ОЗУ 0x%s?</translation>
    </message>
    <message>
        <source>Set write memory breakpoint on RAM address 0x%s?</source>
        <translation>Установить точку останова по записи в память на адрес ОЗУ 0x%s?</translation>
    </message>
    <message>
        <source>Set change memory breakpoint on RAM address 0x%s?</source>
        <translation>Установить точку останова по изменению памяти на адрес ОЗУ 0x%s?</translation>
    </message>
    <message>
        <source>Remove read memory breakpoint on RAM address 0x%s?</source>
        <translation>Удалить точку останова по чтению памяти с адреса ОЗУ 0x%s?</translation>
    </message>
    <message>
        <source>Remove write memory breakpoint on RAM address 0x%s?</source>
        <translation>Удалить точку останова по записи в память с адреса ОЗУ 0x%s?</translation>
    </message>
    <message>
        <source>Remove change memory breakpoint on RAM address 0x%s?</source>
        <translation>Удалить точку останова по изменению памяти с адреса ОЗУ 0x%s?</translation>
    </message>
    <message>
        <source>Paused on change memory breakpoint, RAM[0x%s]=%s, previous value: %s.</source>
        <translation>Пауза на точке останова по изменению памяти, RAM[0x%s]=%s, прежнее значение: %s.</translation>
    </message>
    <message>
        <source>Paused on write memory breakpoint, RAM[0x%s]=%s.</source>
        <translation>Пауза на точке останова по записи в память, RAM[0x%s]=%s.</translation>
    </message>
    <message>
        <source>Paused on read memory breakpoint, RAM address 0x%s.</source>
        <translation>Пауза на точке останова по чтению памяти, адрес ОЗУ 0x%s.</translation>
    </message>
    <message>
        <source>0x%s is not a valid RAM address.</source>
        <translation>0x%s не является допустимым адресом ОЗУ.</translation>
    </message>
    <message>
        <source>No breakpoint set.</source>
        <translation>Точки останова не установлены.</translation>
    </message>
    <message>
        <source>Are you sure you want to delete all breakpoints?</source>
        <translation>Вы уверены, что хотите удалить все точки останова?</translation>
    </message>
</context>
<context>
    <name>Cheats</name>
    <message>
        <source>INVINCIBILITY
K4 signaled upon reset (sets RAM[0x35] bit #0)</source>
        <translation>НЕУЯЗВИМОСТЬ
сигнал на K4 при сбросе (устанавливает бит #0 в RAM[0x35])</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Beta signaled upon reset

INVINCIBILITY
Beta signaled during play</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на Beta при сбросе

НЕУЯЗВИМОСТЬ
сигнал на Beta во время игры</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
K4 signaled upon reset

INVINCIBILITY
K4 signaled during play</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на K4 при сбросе

НЕУЯЗВИМОСТЬ
сигнал на K4 во время игры</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Beta signaled upon reset

BEGINNER MODE (longer timeout)
Beta signaled during play</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на Beta при сбросе

РЕЖИМ НОВИЧКА (больше времени на ответ)
сигнал на Beta во время игры</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Alpha signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
Beta signaled upon reset

INVINCIBILITY
Alpha signaled during play

BUZZER TEST
Beta signaled during play or clock mode (the alarm starts on next minute)

INITIAL GAME SPEED
  - approx. 75% faster than normal: any combination of [R2=0]K pins signaled upon reset, except [R2=0]K4+K3 (sets RAM[0x4B]=0x1)
  - approx. 150% faster than normal: both [R2=0]K4+K3 signaled upon reset (sets RAM[0x4B]=0x0)</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на Alpha при сбросе

ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на Beta при сбросе

НЕУЯЗВИМОСТЬ
сигнал на Alpha во время игры

ТЕСТ ЗУММЕРА
сигнал на Beta во время игры или в режиме часов (будильник сработает в начале следующей минуты)

НАЧАЛЬНАЯ СКОРОСТЬ ИГРЫ
  - примерно на 75% быстрее обычной: сигнал на любой комбинации выводов [R2=0]K при сбросе, кроме [R2=0]K4+K3 (устанавливает RAM[0x4B]=0x1)
  - примерно на 150% быстрее обычной: сигнал одновременно на [R2=0]K4+K3 при сбросе (устанавливает RAM[0x4B]=0x0)</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
any [R3=0]K pin signaled upon reset

INVINCIBILITY
any [R3=0]K pin signaled upon reset (sets RAM[0x2A] bit #2)

BUZZER TEST
[R3=0]K4 signaled during play or clock mode</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на любом выводе [R3=0]K при сбросе

НЕУЯЗВИМОСТЬ
сигнал на любом выводе [R3=0]K при сбросе (устанавливает бит #2 в RAM[0x2A])

ТЕСТ ЗУММЕРА
сигнал на [R3=0]K4 во время игры или в режиме часов</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Alpha signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
Beta signaled upon reset

INVINCIBILITY
Alpha signaled during play (this feature becomes effective only after 2 misses)

BUZZER TEST
Beta signaled during play or clock mode (the alarm starts on next minute)

INITIAL GAME SPEED
  - faster than normal: any combination of [R2=0]K pins signaled upon reset, except [R2=0]K4+K3 (sets RAM[0x4B]=0x0)
  - slower than normal: both [R2=0]K4+K3 signaled upon reset (sets RAM[0x4B]=0x2)</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на Alpha при сбросе

ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на Beta при сбросе

НЕУЯЗВИМОСТЬ
сигнал на Alpha во время игры (действует только после 2 промахов)

ТЕСТ ЗУММЕРА
сигнал на Beta во время игры или в режиме часов (будильник сработает в начале следующей минуты)

НАЧАЛЬНАЯ СКОРОСТЬ ИГРЫ
  - быстрее обычной: сигнал на любой комбинации выводов [R2=0]K при сбросе, кроме [R2=0]K4+K3 (устанавливает RAM[0x4B]=0x0)
  - медленнее обычной: сигнал одновременно на [R2=0]K4+K3 при сбросе (устанавливает RAM[0x4B]=0x2)</translation>
    </message>
    <message>
        <source>LCD TEST
any [R3=0]K pin signaled upon reset; [R3=0]K4 then switches between full (all segments lit up) and partial LCD test (COM0 segments lit up)

INVINCIBILITY
any [R3=0]K pin signaled upon reset (sets RAM[0x2A] bit #2)

BUZZER TEST
[R3=0]K4 signaled during play or clock mode</source>
        <translation>ТЕСТ ЖКИ
сигнал на любом выводе [R3=0]K при сбросе; затем [R3=0]K4 переключает полный (горят все сегменты) и частичный тест ЖКИ (горят сегменты COM0)

НЕУЯЗВИМОСТЬ
сигнал на любом выводе [R3=0]K при сбросе (устанавливает бит #2 в RAM[0x2A])

ТЕСТ ЗУММЕРА
сигнал на [R3=0]K4 во время игры или в режиме часов</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
[R3=0]K4 signaled upon reset

INVINCIBILITY
any combination of [R2=0]K pins signaled during play

BUZZER TEST
[R3=0]K4 signaled during play or clock mode

NON-DESTRUCTIVE CLOCK SETTING
[R3=0]K3 signaled during play or clock mode</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на [R3=0]K4 при сбросе

НЕУЯЗВИМОСТЬ
сигнал на любой комбинации выводов [R2=0]K во время игры

ТЕСТ ЗУММЕРА
сигнал на [R3=0]K4 во время игры или в режиме часов

УСТАНОВКА ЧАСОВ БЕЗ ПОТЕРИ СОСТОЯНИЯ ИГРЫ
сигнал на [R3=0]K3 во время игры или в режиме часов</translation>
    </message>
    <message>
        <source>PARTIAL LCD TEST (COM0 segments lit up)
any of [R2=0]K4/K2/K1 pins signaled upon reset

INVINCIBILITY
any of [R2=0]K4/K2/K1 pins signaled during play

BUZZER TEST
[R2=0]K4 signaled during play or clock mode

NON-DESTRUCTIVE CLOCK SETTING
[R2=0]K3 signaled during play or clock mode</source>
        <translation>ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на любом из выводов [R2=0]K4/K2/K1 при сбросе

НЕУЯЗВИМОСТЬ
сигнал на любом из выводов [R2=0]K4/K2/K1 во время игры

ТЕСТ ЗУММЕРА
сигнал на [R2=0]K4 во время игры или в режиме часов

УСТАНОВКА ЧАСОВ БЕЗ ПОТЕРИ СОСТОЯНИЯ ИГРЫ
сигнал на [R2=0]K3 во время игры или в режиме часов</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Alpha signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
Beta signaled upon reset

INVINCIBILITY
Alpha signaled during play</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на Alpha при сбросе

ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на Beta при сбросе

НЕУЯЗВИМОСТЬ
сигнал на Alpha во время игры</translation>
    </message>
    <message>
        <source>PARTIAL LCD TEST (COM0 segments lit up)
any [R3=0]K pin signaled upon reset

INVINCIBILITY
any of [R2=0]K4/K2/K1 pins signaled during play

BUZZER TEST
[R2=0]K4 signaled during play or clock mode

NON-DESTRUCTIVE CLOCK SETTING
[R2=0]K3 signaled during play or clock mode</source>
        <translation>ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на любом выводе [R3=0]K при сбросе

НЕУЯЗВИМОСТЬ
сигнал на любом из выводов [R2=0]K4/K2/K1 во время игры

ТЕСТ ЗУММЕРА
сигнал на [R2=0]K4 во время игры или в режиме часов

УСТАНОВКА ЧАСОВ БЕЗ ПОТЕРИ СОСТОЯНИЯ ИГРЫ
сигнал на [R2=0]K3 во время игры или в режиме часов</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
INT1 signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
INT0 signaled upon reset

INVINCIBILITY
INT1 signaled during play</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на INT1 при сбросе

ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на INT0 при сбросе

НЕУЯЗВИМОСТЬ
сигнал на INT1 во время игры</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
[R2=0]D3 signaled upon reset

INVINCIBILITY
any combination of [R1=0]D pins signaled during play

BUZZER TEST
[R2=0]D3 signaled during play or clock mode

NON-DESTRUCTIVE CLOCK SETTING
[R2=0]D2 signaled during play or clock mode</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на [R2=0]D3 при сбросе

НЕУЯЗВИМОСТЬ
сигнал на любой комбинации выводов [R1=0]D во время игры

ТЕСТ ЗУММЕРА
сигнал на [R2=0]D3 во время игры или в режиме часов

УСТАНОВКА ЧАСОВ БЕЗ ПОТЕРИ СОСТОЯНИЯ ИГРЫ
сигнал на [R2=0]D2 во время игры или в режиме часов</translation>
    </message>
    <message>
        <source>PARTIAL LCD TEST (COM0 segments lit up)
any [R2=0]D pin signaled upon reset

INVINCIBILITY
any of [R1=0]D3/D1/D0 pins signaled during play

BUZZER TEST
[R1=0]D3 signaled during play or clock mode

NON-DESTRUCTIVE CLOCK SETTING
[R1=0]D2 signaled during play or clock mode</source>
        <translation>ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на любом выводе [R2=0]D при сбросе

НЕУЯЗВИМОСТЬ
сигнал на любом из выводов [R1=0]D3/D1/D0 во время игры

ТЕСТ ЗУММЕРА
сигнал на [R1=0]D3 во время игры или в режиме часов

УСТАНОВКА ЧАСОВ БЕЗ ПОТЕРИ СОСТОЯНИЯ ИГРЫ
сигнал на [R1=0]D2 во время игры или в режиме часов</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
INT1 signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
INT0 signaled upon reset</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на INT1 при сбросе

ЧАСТИЧНЫЙ ТЕСТ ЖКИ (горят сегменты COM0)
сигнал на INT0 при сбросе</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
INT1 signaled upon reset

INVINCIBILITY
INT1 signaled during play</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на INT1 при сбросе

НЕУЯЗВИМОСТЬ
сигнал на INT1 во время игры</translation>
    </message>
    <message>
        <source>INVINCIBILITY
Alpha signaled during play

SCORE BOOSTER
Beta signaled during play (every successful catch increases the score by 50 points, instead of default 5 points)</source>
        <translation>НЕУЯЗВИМОСТЬ
сигнал на Alpha во время игры

УМНОЖИТЕЛЬ ОЧКОВ
сигнал на Beta во время игры (каждый пойманный мяч приносит 50 очков вместо обычных 5)</translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
[R3=0]K4 signaled upon reset

INVINCIBILITY
any of [R2=0]K4/K2/K1 pins signaled during play

BUZZER TEST
[R2=0]K4 signaled during play or clock mode

NON-DESTRUCTIVE CLOCK SETTING
[R2=0]K3 signaled during play or clock mode</source>
        <translation>ПОЛНЫЙ ТЕСТ ЖКИ (горят все сегменты)
сигнал на [R3=0]K4 при сбросе

НЕУЯЗВИМОСТЬ
сигнал на любом из выводов [R2=0]K4/K2/K1 во время игры

ТЕСТ ЗУММЕРА
сигнал на [R2=0]K4 во время игры или в режиме часов

УСТАНОВКА ЧАСОВ БЕЗ ПОТЕРИ СОСТОЯНИЯ ИГРЫ
сигнал на [R2=0]K3 во время игры или в режиме часов</translation>
    </message>
</context>
<context>
    <name>Controls</name>
    <message>
        <source>Invalid combination of Gnd (%d) and AssociatedInputPin (%d).</source>
        <translation>Недопустимое сочетание Gnd (%d) и AssociatedInputPin (%d).</translation>
    </message>
</context>
<context>
    <name>Download</name>
    <message>
        <source>unknown reason</source>
        <translation>неизвестная причина</translation>
    </message>
    <message>
        <source>HTTP status code: %d (&apos;%s&apos;)</source>
        <translation>Код состояния HTTP: %d (&apos;%s&apos;)</translation>
    </message>
    <message>
        <source>Cannot retrieve HTTP status code.</source>
        <translation>Не удалось получить код состояния HTTP.</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(нет)</translation>
    </message>
    <message>
        <source>The request was cancelled.</source>
        <translation>Запрос отменён.</translation>
    </message>
    <message>
        <source>The address &quot;%s&quot; is not an http or https address.</source>
        <translation>Адрес &quot;%s&quot; не является адресом http или https.</translation>
    </message>
    <message>
        <source>Cannot start an HTTP request (out of memory).</source>
        <translation>Не удалось начать запрос HTTP (недостаточно памяти).</translation>
    </message>
    <message>
        <source>The server sent more than %s bytes; the transfer was stopped.</source>
        <translation>Сервер передал больше %s байт; передача остановлена.</translation>
    </message>
    <message>
        <source>Error %d</source>
        <translation>Ошибка %d</translation>
    </message>
    <message>
        <source>Downloading ROM...</source>
        <translation>Загрузка ПЗУ...</translation>
    </message>
    <message>
        <source>Cannot retrieve raw HTTP headers.</source>
        <translation>Не удалось получить заголовки HTTP.</translation>
    </message>
    <message>
        <source>The file in the archive holds %u bytes; a ROM image has %u.</source>
        <translation>Файл в архиве имеет размер %u байт, а образ ПЗУ — %u байт.</translation>
    </message>
    <message>
        <source>Saving ROM...</source>
        <translation>Сохранение ПЗУ...</translation>
    </message>
    <message>
        <source>Unsupported archive type.

Unpack &apos;%s&apos; from &apos;%s&apos; manually.</source>
        <translation>Неподдерживаемый тип архива.

Извлеките &apos;%s&apos; из &apos;%s&apos; вручную.</translation>
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
    <name>Errors</name>
    <message>
        <source>Abstract Error</source>
        <translation>Абстрактная ошибка</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Cannot write file &quot;%s&quot;: %s</source>
        <translation>Не удалось записать файл &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>too many files of that name exist already</source>
        <translation>файлов с таким именем уже слишком много</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%s&quot;: %s</source>
        <translation>Не удаётся открыть файл &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Cannot read file &quot;%s&quot;: %s</source>
        <translation>Не удаётся прочитать файл &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>это папка</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a file</source>
        <translation>это именованный канал (FIFO), а не файл</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>это устройство, а не файл</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>это сокет, а не файл</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>это не обычный файл</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>доступ запрещён</translation>
    </message>
    <message>
        <source>no such file or directory</source>
        <translation>нет такого файла или папки</translation>
    </message>
    <message>
        <source>too many levels of symbolic links</source>
        <translation>слишком много уровней символических ссылок</translation>
    </message>
    <message>
        <source>no space left on device</source>
        <translation>на устройстве не осталось места</translation>
    </message>
    <message>
        <source>disk quota exceeded</source>
        <translation>превышена дисковая квота</translation>
    </message>
    <message>
        <source>read-only file system</source>
        <translation>файловая система только для чтения</translation>
    </message>
    <message>
        <source>a part of the path is not a folder</source>
        <translation>часть пути не является папкой</translation>
    </message>
    <message>
        <source>the file name is too long</source>
        <translation>слишком длинное имя файла</translation>
    </message>
    <message>
        <source>input/output error</source>
        <translation>ошибка ввода-вывода</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>файл слишком велик</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>открыто слишком много файлов</translation>
    </message>
    <message>
        <source>it holds %llu bytes, more than the %llu bytes such a file can have</source>
        <translation>в нём %llu байт, больше, чем %llu байт, допустимых для такого файла</translation>
    </message>
    <message>
        <source>&quot;%s&quot; is the ROM file of the game; name another file.</source>
        <translation>&quot;%s&quot; - это файл ROM игры; укажите другой файл.</translation>
    </message>
</context>
<context>
    <name>GameControls</name>
    <message>
        <source>Left</source>
        <translation>Влево</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Вправо</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Upper left</source>
        <translation>Вверх влево</translation>
    </message>
    <message>
        <source>Upper right</source>
        <translation>Вверх вправо</translation>
    </message>
    <message>
        <source>Lower left</source>
        <translation>Вниз влево</translation>
    </message>
    <message>
        <source>Lower right</source>
        <translation>Вниз вправо</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Будильник</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
    <message>
        <source>Game A</source>
        <translation>Игра А</translation>
    </message>
    <message>
        <source>Game B</source>
        <translation>Игра Б</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Button &quot;%s&quot;</source>
        <translation>Кнопка &quot;%s&quot;</translation>
    </message>
    <message>
        <source>%s (left side)</source>
        <translation>%s (левая сторона)</translation>
    </message>
    <message>
        <source>%s (right side)</source>
        <translation>%s (правая сторона)</translation>
    </message>
    <message>
        <source>%s - key %s</source>
        <translation>%s - клавиша %s</translation>
    </message>
    <message>
        <source>%s - keys %s</source>
        <translation>%s - клавиши %s</translation>
    </message>
    <message>
        <source>Left arrow</source>
        <translation>Стрелка влево</translation>
    </message>
    <message>
        <source>Up arrow</source>
        <translation>Стрелка вверх</translation>
    </message>
    <message>
        <source>Right arrow</source>
        <translation>Стрелка вправо</translation>
    </message>
    <message>
        <source>Down arrow</source>
        <translation>Стрелка вниз</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Пробел</translation>
    </message>
    <message>
        <source>Key 0x%.2X</source>
        <translation>Клавиша 0x%.2X</translation>
    </message>
</context>
<context>
    <name>GameLoading</name>
    <message>
        <source>Unrecognized game: &apos;%s&apos;.</source>
        <translation>Неизвестная игра: &apos;%s&apos;.</translation>
    </message>
    <message>
        <source>Hint:
Search Google for &quot;%s&quot; and unpack &quot;%s&quot; from the archive.</source>
        <translation>Подсказка:
Найдите в Google &quot;%s&quot; и распакуйте из архива &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%s&quot;: %s</source>
        <translation>Не удалось прочитать &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Are you sure you want to load the debugger with %s?</source>
        <translation>Вы уверены, что хотите загрузить в отладчик %s?</translation>
    </message>
    <message>
        <source>%s - Select ROM file</source>
        <translation>%s - выбор файла ПЗУ</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
    <message>
        <source>You need to supply the ROM file...

%s</source>
        <translation>Нужен файл ПЗУ...

%s</translation>
    </message>
    <message>
        <source>The file &quot;%s&quot; is empty.</source>
        <translation>Файл &quot;%s&quot; пуст.</translation>
    </message>
    <message>
        <source>Unexpected data size: %u bytes
This is probably not a valid SHARP SM-5A ROM data.

Are you sure you want to continue loading the data?</source>
        <translation>Неожиданный размер данных: %u байт
Вероятно, это не образ ПЗУ SHARP SM-5A.

Вы уверены, что хотите продолжить загрузку данных?</translation>
    </message>
    <message>
        <source>No ROM archive server is configured (the setting ROMArchiveServer is empty).</source>
        <translation>Сервер архива ПЗУ не задан (параметр ROMArchiveServer пуст).</translation>
    </message>
    <message>
        <source>Downloading ROM...</source>
        <translation>Загрузка ПЗУ...</translation>
    </message>
    <message>
        <source>Error downloading ROM from the internet:
%s

%s</source>
        <translation>Ошибка загрузки ПЗУ из интернета:
%s

%s</translation>
    </message>
    <message>
        <source>Cannot find file &quot;%s&quot;.</source>
        <translation>Не удалось найти файл &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Cannot open &quot;%s&quot;: %s.</source>
        <translation>Не удаётся открыть &quot;%s&quot;: %s.</translation>
    </message>
</context>
<context>
    <name>GameMenu</name>
    <message>
        <source>Load &amp;custom SM-5A ROM...</source>
        <translation>Загрузить &amp;пользовательское ПЗУ SM-5A...</translation>
    </message>
</context>
<context>
    <name>Games</name>
    <message>
        <source>A custom game</source>
        <translation>Пользовательская игра</translation>
    </message>
</context>
<context>
    <name>Hint</name>
    <message>
        <source>skipping</source>
        <translation>пропуск</translation>
    </message>
    <message>
        <source>sum=%s</source>
        <translation>сумма=%s</translation>
    </message>
    <message>
        <source>bit %d: %u</source>
        <translation>бит %d: %u</translation>
    </message>
</context>
<context>
    <name>Input</name>
    <message>
        <source>Are you sure you want to reset the game?</source>
        <translation>Вы уверены, что хотите сбросить игру?</translation>
    </message>
</context>
<context>
    <name>InputDialogs</name>
    <message>
        <source>Out of range.</source>
        <translation>Вне допустимого диапазона.</translation>
    </message>
    <message>
        <source>Value not in Bank:Page:Step address notation.</source>
        <translation>Значение не в записи адреса Банк:Страница:Шаг.</translation>
    </message>
    <message>
        <source>&apos;%s&apos; is not a valid integer value.</source>
        <translation>&apos;%s&apos; не является допустимым целым числом.</translation>
    </message>
    <message>
        <source>Enter 0 or 1</source>
        <translation>Введите 0 или 1</translation>
    </message>
    <message>
        <source>Enter hexadecimal value (%s-%s)</source>
        <translation>Введите шестнадцатеричное значение (%s-%s)</translation>
    </message>
    <message>
        <source>Enter address in Bank:Page:Step notation</source>
        <translation>Введите адрес в записи Банк:Страница:Шаг</translation>
    </message>
    <message>
        <source>Enter your description of address %s</source>
        <translation>Введите своё описание адреса %s</translation>
    </message>
    <message>
        <source>Label:</source>
        <translation>Метка:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Комментарий:</translation>
    </message>
</context>
<context>
    <name>Interconnection</name>
    <message>
        <source>No segment in COM0.</source>
        <translation>Нет сегмента в COM0.</translation>
    </message>
    <message>
        <source>No segment in COM1.</source>
        <translation>Нет сегмента в COM1.</translation>
    </message>
    <message>
        <source>Note: LCD COM pads %d and %d drive the same group of segments; i.e. if one of them is broken the LCD will still work correctly.</source>
        <translation>Примечание: общие контакты ЖКИ %d и %d управляют одной и той же группой сегментов, т. е. при обрыве одного из них ЖКИ будет работать правильно.</translation>
    </message>
    <message>
        <source>Note: Segment groups driven by LCD COM pads are only approximate. They need to be confirmed using a real LCD.</source>
        <translation>Примечание: группы сегментов, управляемые общими контактами ЖКИ, определены лишь приблизительно. Их нужно проверить на настоящем ЖКИ.</translation>
    </message>
</context>
<context>
    <name>LCD</name>
    <message>
        <source>Resource %s not found</source>
        <translation>Ресурс %s не найден</translation>
    </message>
    <message>
        <source>(non-specific technical image)</source>
        <translation>(условное техническое изображение)</translation>
    </message>
    <message>
        <source>the image data is truncated</source>
        <translation>данные изображения обрезаны</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>недостаточно памяти</translation>
    </message>
    <message>
        <source>The PNG image cannot be decoded: %s</source>
        <translation>Не удаётся декодировать изображение PNG: %s</translation>
    </message>
    <message>
        <source>the image data is empty</source>
        <translation>данные изображения пусты</translation>
    </message>
    <message>
        <source>the data is not a PNG image</source>
        <translation>данные не являются изображением PNG</translation>
    </message>
    <message>
        <source>the image is too large</source>
        <translation>изображение слишком велико</translation>
    </message>
    <message>
        <source>unsupported pixel format</source>
        <translation>неподдерживаемый формат пикселей</translation>
    </message>
    <message>
        <source>the image declares more pixels than its data can hold</source>
        <translation>изображение объявляет больше пикселей, чем могут вместить его данные</translation>
    </message>
    <message>
        <source>Artwork %s is not used: %s. The built-in image is shown.</source>
        <translation>Рисунок %s не используется: %s. Показано встроенное изображение.</translation>
    </message>
</context>
<context>
    <name>LCDPicture</name>
    <message>
        <source>There are more LCD images available for this ROM.
Doubleclick here to switch to the next image.</source>
        <translation>Для этого ПЗУ есть и другие изображения ЖКИ.
Щёлкните здесь дважды, чтобы перейти к следующему.</translation>
    </message>
    <message>
        <source>---  ALL AVAILABLE LCD IMAGES  ---</source>
        <translation>---  ВСЕ ДОСТУПНЫЕ ИЗОБРАЖЕНИЯ ЖКИ  ---</translation>
    </message>
    <message>
        <source>---  COMPATIBLE LCD IMAGES  ---</source>
        <translation>---  СОВМЕСТИМЫЕ ИЗОБРАЖЕНИЯ ЖКИ  ---</translation>
    </message>
    <message>
        <source>This program looks for no user artwork.</source>
        <translation>Эта программа не ищет рисунки пользователя.</translation>
    </message>
    <message>
        <source>Cannot create the artwork folder %s: %s</source>
        <translation>Не удаётся создать папку рисунков %s: %s</translation>
    </message>
</context>
<context>
    <name>Legend</name>
    <message>
        <source>Exchange accumulator with RAM field denoted by DP.</source>
        <translation>Обменять содержимое аккумулятора и ячейки ОЗУ, адресуемой DP.</translation>
    </message>
    <message>
        <source>Load accumulator with RAM field denoted by DP.</source>
        <translation>Загрузить в аккумулятор ячейку ОЗУ, адресуемую DP.</translation>
    </message>
    <message>
        <source>Increment DPL.
Skip next instruction if DPL was 7.</source>
        <translation>Увеличить DPL на 1.
Пропустить следующую команду, если DPL был равен 7.</translation>
    </message>
    <message>
        <source>Decrement DPL.
Skip next instruction if DPL was 0.</source>
        <translation>Уменьшить DPL на 1.
Пропустить следующую команду, если DPL был равен 0.</translation>
    </message>
    <message>
        <source>Shift O register (O8-&gt;O7-&gt;...-&gt;O1-&gt;O0).</source>
        <translation>Сдвинуть регистр O (O8-&gt;O7-&gt;...-&gt;O1-&gt;O0).</translation>
    </message>
    <message>
        <source>Encode a digit in accumulator using 7-segment Coding Table (taking the value of TD into account) and put the result to O8.</source>
        <translation>Закодировать цифру из аккумулятора по таблице 7-сегментного кодирования (с учётом значения TD) и поместить результат в O8.</translation>
    </message>
    <message>
        <source>Xor DPH with %s.</source>
        <translation>Выполнить XOR регистра DPH с %s.</translation>
    </message>
    <message>
        <source>Clear bit %s of RAM field denoted by DP.</source>
        <translation>Сбросить бит %s ячейки ОЗУ, адресуемой DP.</translation>
    </message>
    <message>
        <source>Set bit %s of RAM field denoted by DP.</source>
        <translation>Установить бит %s ячейки ОЗУ, адресуемой DP.</translation>
    </message>
    <message>
        <source>Set accumulator to %s.</source>
        <translation>Записать в аккумулятор %s.</translation>
    </message>
    <message>
        <source>Skip all following LC instructions.</source>
        <translation>Пропустить все следующие команды LC.</translation>
    </message>
    <message>
        <source>Add 10 (0xA) to accumulator.</source>
        <translation>Прибавить 10 (0xA) к аккумулятору.</translation>
    </message>
    <message>
        <source>Add %s to accumulator.
Skip next instruction if result is greater than 0xF.</source>
        <translation>Прибавить %s к аккумулятору.
Пропустить следующую команду, если результат больше 0xF.</translation>
    </message>
    <message>
        <source>Set DP to 0x%s.
Set RAM Bank Selector to 0.</source>
        <translation>Записать в DP значение 0x%s.
Установить селектор банка ОЗУ в 0.</translation>
    </message>
    <message>
        <source>Skip next instruction if bit %s of RAM field denoted by DP is 1.</source>
        <translation>Пропустить следующую команду, если бит %s ячейки ОЗУ, адресуемой DP, равен 1.</translation>
    </message>
    <message>
        <source>Set ROM page to %s.</source>
        <translation>Выбрать страницу ПЗУ %s.</translation>
    </message>
    <message>
        <source>Call far subroutine at %s.</source>
        <translation>Дальний вызов подпрограммы по адресу %s.</translation>
    </message>
    <message>
        <source>Jump far to %s.</source>
        <translation>Дальний переход на %s.</translation>
    </message>
    <message>
        <source>Call far subroutine at %s (if MSB=0) or %s (if MSB=1).</source>
        <translation>Дальний вызов подпрограммы по адресу %s (если MSB=0) или %s (если MSB=1).</translation>
    </message>
    <message>
        <source>Jump far to %s (if MSB=0) or %s (if MSB=1).</source>
        <translation>Дальний переход на %s (если MSB=0) или на %s (если MSB=1).</translation>
    </message>
    <message>
        <source>Jump.
- If not in subroutine, the target depends on values in MSB and Page registers.
- Otherwise jump to step %s within the current bank and page.</source>
        <translation>Переход.
- Вне подпрограммы адрес перехода зависит от значений регистров MSB и Page.
- В подпрограмме переход на шаг %s в пределах текущих банка и страницы.</translation>
    </message>
    <message>
        <source>If not in subroutine, call a subroutine at %s.
Otherwise jump to a branch within the current bank.</source>
        <translation>Вне подпрограммы: вызов подпрограммы по адресу %s.
В подпрограмме: переход на ветвь в пределах текущего банка.</translation>
    </message>
    <message>
        <source>No operation, i.e. empty instruction.</source>
        <translation>Нет операции, т. е. пустая команда.</translation>
    </message>
    <message>
        <source>Send accumulator to R register.</source>
        <translation>Передать аккумулятор в регистр R.</translation>
    </message>
    <message>
        <source>Set RAM Bank Selector to 1.</source>
        <translation>Установить селектор банка ОЗУ в 1.</translation>
    </message>
    <message>
        <source>Send accumulator to LCD controller (bit #3 (!xxx) sets the TD flag).</source>
        <translation>Передать аккумулятор в контроллер ЖКИ (бит #3 (!xxx) устанавливает флаг TD).</translation>
    </message>
    <message>
        <source>Add RAM field denoted by DP to accumulator.</source>
        <translation>Прибавить к аккумулятору ячейку ОЗУ, адресуемую DP.</translation>
    </message>
    <message>
        <source>Add RAM field and Carry flag to accumulator.</source>
        <translation>Прибавить к аккумулятору ячейку ОЗУ и флаг Carry.</translation>
    </message>
    <message>
        <source>Ones&apos; complement of accumulator.</source>
        <translation>Инвертировать аккумулятор (обратный код).</translation>
    </message>
    <message>
        <source>Exchange accumulator with DPL register.</source>
        <translation>Обменять содержимое аккумулятора и регистра DPL.</translation>
    </message>
    <message>
        <source>Skip next instruction if Alpha is not triggered.</source>
        <translation>Пропустить следующую команду, если на Alpha нет сигнала.</translation>
    </message>
    <message>
        <source>Skip next instruction if Beta is not triggered.</source>
        <translation>Пропустить следующую команду, если на Beta нет сигнала.</translation>
    </message>
    <message>
        <source>Skip next instruction if Carry=0.</source>
        <translation>Пропустить следующую команду, если Carry=0.</translation>
    </message>
    <message>
        <source>Skip next instruction if accumulator equals to RAM field denoted by DP.</source>
        <translation>Пропустить следующую команду, если аккумулятор равен ячейке ОЗУ, адресуемой DP.</translation>
    </message>
    <message>
        <source>Skip next instruction if T14=0; otherwise clear the T14 flag.</source>
        <translation>Пропустить следующую команду, если T14=0; иначе сбросить флаг T14.</translation>
    </message>
    <message>
        <source>Copy O8 to O&apos;8.
Copy O7 to O&apos;7.</source>
        <translation>Скопировать O8 в O&apos;8.
Скопировать O7 в O&apos;7.</translation>
    </message>
    <message>
        <source>Skip next instruction if Acc=0.</source>
        <translation>Пропустить следующую команду, если Acc=0.</translation>
    </message>
    <message>
        <source>Skip next instruction if Acc=DPL.</source>
        <translation>Пропустить следующую команду, если Acc=DPL.</translation>
    </message>
    <message>
        <source>Copy the whole O register to O&apos; register.</source>
        <translation>Скопировать весь регистр O в регистр O&apos;.</translation>
    </message>
    <message>
        <source>Enter the Halt mode.
Wait until either T14=1, or K&lt;&gt;0.
Then continue execution at %s.</source>
        <translation>Перейти в режим HALT.
Ждать, пока не станет T14=1 или K&lt;&gt;0.
Затем продолжить выполнение с адреса %s.</translation>
    </message>
    <message>
        <source>Load accumulator with highest 4 bits of T.</source>
        <translation>Загрузить в аккумулятор старшие 4 бита T.</translation>
    </message>
    <message>
        <source>Set DP to 0x%s.</source>
        <translation>Записать в DP значение 0x%s.</translation>
    </message>
    <message>
        <source>Toggle TD.</source>
        <translation>Переключить TD.</translation>
    </message>
    <message>
        <source>Copy O8 to O7.</source>
        <translation>Скопировать O8 в O7.</translation>
    </message>
    <message>
        <source>Copy accumulator to O8.
Clear bit %s of O8.</source>
        <translation>Скопировать аккумулятор в O8.
Сбросить бит %s регистра O8.</translation>
    </message>
    <message>
        <source>Copy accumulator to O8.
Set bit %s of O8.</source>
        <translation>Скопировать аккумулятор в O8.
Установить бит %s регистра O8.</translation>
    </message>
    <message>
        <source>Set T to zero.
Set the T14 flag.</source>
        <translation>Обнулить T.
Установить флаг T14.</translation>
    </message>
    <message>
        <source>Clear the Carry flag.</source>
        <translation>Сбросить флаг Carry.</translation>
    </message>
    <message>
        <source>Set the Carry flag.</source>
        <translation>Установить флаг Carry.</translation>
    </message>
    <message>
        <source>Set accumulator to zero.
Clear the LD0 flag.</source>
        <translation>Обнулить аккумулятор.
Сбросить флаг LD0.</translation>
    </message>
    <message>
        <source>Set the LD0 flag.</source>
        <translation>Установить флаг LD0.</translation>
    </message>
    <message>
        <source>Load accumulator with input register K.</source>
        <translation>Загрузить в аккумулятор входной регистр K.</translation>
    </message>
    <message>
        <source>Set RAM Bank Selector to 0.</source>
        <translation>Установить селектор банка ОЗУ в 0.</translation>
    </message>
    <message>
        <source>Toggle ROM Bank Selector.</source>
        <translation>Переключить селектор банка ПЗУ.</translation>
    </message>
    <message>
        <source>Return from subroutine.</source>
        <translation>Возврат из подпрограммы.</translation>
    </message>
    <message>
        <source>Return from subroutine and skip next instruction.</source>
        <translation>Возврат из подпрограммы с пропуском следующей команды.</translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>; --- BANK %d  PAGE #%X ---</source>
        <translation>; --- БАНК %d  СТРАНИЦА #%X ---</translation>
    </message>
    <message>
        <source>WAKE FROM HALT</source>
        <translation>ПРОБУЖДЕНИЕ ИЗ HALT</translation>
    </message>
    <message>
        <source>RESET</source>
        <translation>СБРОС</translation>
    </message>
    <message>
        <source>SUBROUTINES</source>
        <translation>ПОДПРОГРАММЫ</translation>
    </message>
    <message>
        <source>skip next if DPL was 7</source>
        <translation>пропустить следующую, если DPL был 7</translation>
    </message>
    <message>
        <source>skip next if DPL was 0</source>
        <translation>пропустить следующую, если DPL был 0</translation>
    </message>
    <message>
        <source>skip next if Carry</source>
        <translation>пропустить следующую, если Carry</translation>
    </message>
    <message>
        <source>skip next if %s not signaled</source>
        <translation>пропустить следующую, если нет сигнала %s</translation>
    </message>
    <message>
        <source>skip next if Carry=0</source>
        <translation>пропустить следующую, если Carry=0</translation>
    </message>
    <message>
        <source>skip next if Acc=mem</source>
        <translation>пропустить следующую, если Acc=mem</translation>
    </message>
    <message>
        <source>skip next if T14=0</source>
        <translation>пропустить следующую, если T14=0</translation>
    </message>
    <message>
        <source>skip next if Acc=0</source>
        <translation>пропустить следующую, если Acc=0</translation>
    </message>
    <message>
        <source>skip next if Acc=DPL</source>
        <translation>пропустить следующую, если Acc=DPL</translation>
    </message>
    <message>
        <source>copy O to O&apos;</source>
        <translation>копировать O в O&apos;</translation>
    </message>
    <message>
        <source>shift O; O8=DigitToSegments(Acc)</source>
        <translation>сдвиг O; O8=DigitToSegments(Acc)</translation>
    </message>
    <message>
        <source>shift O; O8=Acc and 0111</source>
        <translation>сдвиг O; O8=Acc and 0111</translation>
    </message>
    <message>
        <source>shift O; O8=Acc or 1000</source>
        <translation>сдвиг O; O8=Acc or 1000</translation>
    </message>
    <message>
        <source>read input</source>
        <translation>чтение входа</translation>
    </message>
    <message>
        <source>upon return skip next</source>
        <translation>после возврата пропустить следующую</translation>
    </message>
    <message>
        <source>clear mem bit %d</source>
        <translation>сбросить бит %d mem</translation>
    </message>
    <message>
        <source>set mem bit %d</source>
        <translation>установить бит %d mem</translation>
    </message>
    <message>
        <source>skip next if sum was &gt; 0xF</source>
        <translation>пропустить следующую, если сумма &gt; 0xF</translation>
    </message>
    <message>
        <source>skip next if mem bit %d set</source>
        <translation>пропустить следующую, если бит %d mem установлен</translation>
    </message>
</context>
<context>
    <name>LiveSound</name>
    <message>
        <source>Unable to save the settings.</source>
        <translation>Не удалось сохранить настройки.</translation>
    </message>
    <message>
        <source>No sound: no audio output device.</source>
        <translation>Без звука: нет устройства вывода звука.</translation>
    </message>
</context>
<context>
    <name>Navigation</name>
    <message>
        <source>Go to address</source>
        <translation>Перейти по адресу</translation>
    </message>
    <message>
        <source>Opcode</source>
        <translation>Код операции</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Не найдено.</translation>
    </message>
    <message>
        <source>Specify disassembly file name</source>
        <translation>Укажите имя файла дизассемблированного кода</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Текстовые файлы (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
</context>
<context>
    <name>Options</name>
    <message>
        <source>For the new language to take effect, the debugger must be restarted.
Do you want to restart it now?</source>
        <translation>Чтобы новый язык вступил в силу, отладчик нужно перезапустить.
Перезапустить его сейчас?</translation>
    </message>
    <message>
        <source>Unable to set the language.</source>
        <translation>Не удалось установить язык.</translation>
    </message>
    <message>
        <source>Unable to save the settings.</source>
        <translation>Не удалось сохранить настройки.</translation>
    </message>
</context>
<context>
    <name>Panes</name>
    <message>
        <source>Accumulator</source>
        <translation>Аккумулятор</translation>
    </message>
    <message>
        <source>RAM Data Pointer</source>
        <translation>Указатель данных ОЗУ</translation>
    </message>
    <message>
        <source>BS (RAM Bank Selector) / H (Data Pointer High) / L (Data Pointer Low)</source>
        <translation>BS (селектор банка ОЗУ) / H (старшая часть указателя данных) / L (младшая часть указателя данных)</translation>
    </message>
    <message>
        <source>RAM field addressed by DP</source>
        <translation>Ячейка ОЗУ, адресуемая DP</translation>
    </message>
    <message>
        <source>Timer</source>
        <translation>Таймер</translation>
    </message>
    <message>
        <source>Highest 4 bits of T</source>
        <translation>Старшие 4 бита T</translation>
    </message>
    <message>
        <source>Virtual 15th bit of Timer, indicating one elapsed second</source>
        <translation>Виртуальный 15-й бит таймера: прошла одна секунда</translation>
    </message>
    <message>
        <source>ROM Bank Selector</source>
        <translation>Селектор банка ПЗУ</translation>
    </message>
    <message>
        <source>ROM Page Selector</source>
        <translation>Селектор страницы ПЗУ</translation>
    </message>
    <message>
        <source>Program Counter</source>
        <translation>Счётчик команд</translation>
    </message>
    <message>
        <source>ROM Bank Selector / ROM Page / Page Instruction Pointer</source>
        <translation>Селектор банка ПЗУ / страница ПЗУ / указатель команды в странице</translation>
    </message>
    <message>
        <source>Return Address</source>
        <translation>Адрес возврата</translation>
    </message>
    <message>
        <source>RAM address is out of range</source>
        <translation>Адрес ОЗУ вне допустимого диапазона</translation>
    </message>
    <message>
        <source>Output register (R%s,R%s,R%s,R%s)</source>
        <translation>Выходной регистр (R%s,R%s,R%s,R%s)</translation>
    </message>
    <message>
        <source>RAM address 0x%s is out of range. When referencing a memory cell, it is mapped to 0x%s.</source>
        <translation>Адрес ОЗУ 0x%s вне допустимого диапазона. При обращении к ячейке памяти он отображается на 0x%s.</translation>
    </message>
</context>
<context>
    <name>Patching</name>
    <message>
        <source>Enter opcode (and its operand) in hexadecimal</source>
        <translation>Введите код операции (и операнд) в шестнадцатеричном виде</translation>
    </message>
    <message>
        <source>Opcode:</source>
        <translation>Код операции:</translation>
    </message>
    <message>
        <source>[Operand:]</source>
        <translation>[Операнд:]</translation>
    </message>
    <message>
        <source>Opcode: Out of range.</source>
        <translation>Код операции: вне допустимого диапазона.</translation>
    </message>
    <message>
        <source>Operand: Out of range.</source>
        <translation>Операнд: вне допустимого диапазона.</translation>
    </message>
    <message>
        <source>A 2-byte opcode is not allowed on address %s.</source>
        <translation>2-байтовый код операции недопустим по адресу %s.</translation>
    </message>
    <message>
        <source>Opcode %s requires an operand.</source>
        <translation>Коду операции %s нужен операнд.</translation>
    </message>
    <message>
        <source>Invalid combination of opcode and operand.</source>
        <translation>Недопустимое сочетание кода операции и операнда.</translation>
    </message>
    <message>
        <source>For opcode %s, operands less than 0x%s are not required and will be ignored.</source>
        <translation>Для кода операции %s операнды меньше 0x%s не нужны и будут проигнорированы.</translation>
    </message>
    <message>
        <source>Opcode %s does not have an operand. The operand value will be ignored.</source>
        <translation>У кода операции %s нет операнда. Значение операнда будет проигнорировано.</translation>
    </message>
    <message>
        <source>Cannot revert a 2-byte instruction %s at %s.
Its operand %s at %s would have to be reverted to a 2-byte instruction %s and the operand of this latter is also modified (as %s at %s).

Hint: At first revert the instruction at %s.</source>
        <translation>Невозможно отменить изменение 2-байтовой команды %s по адресу %s.
Её операнд %s по адресу %s пришлось бы вернуть к 2-байтовой команде %s, а операнд этой команды тоже изменён (%s по адресу %s).

Подсказка: сначала отмените изменение команды по адресу %s.</translation>
    </message>
    <message>
        <source>Internal error. Reverting 2-byte instruction at the end of address space.</source>
        <translation>Внутренняя ошибка. Отмена изменения 2-байтовой команды в конце адресного пространства.</translation>
    </message>
    <message>
        <source>Are you sure you want to revert all opcode modifications?</source>
        <translation>Вы уверены, что хотите отменить все изменения кодов операций?</translation>
    </message>
</context>
<context>
    <name>Reverse</name>
    <message>
        <source>Stepped back: %s step(s) before the newest state.</source>
        <translation>Шаг назад: шагов до последнего состояния: %s.</translation>
    </message>
    <message>
        <source>Paused on the previous breakpoint hit.</source>
        <translation>Остановлено на предыдущем срабатывании точки останова.</translation>
    </message>
    <message>
        <source>No breakpoint hit in the history: at its oldest state.</source>
        <translation>В истории нет срабатываний точек останова: достигнуто самое раннее состояние.</translation>
    </message>
    <message>
        <source>History memory</source>
        <translation>Память истории</translation>
    </message>
    <message>
        <source>Memory for the history in MiB (%u-%u):</source>
        <translation>Память для истории в МиБ (%u-%u):</translation>
    </message>
    <message>
        <source>Enter a whole number of MiB.</source>
        <translation>Введите целое число МиБ.</translation>
    </message>
    <message>
        <source>Out of range.</source>
        <translation>Вне диапазона.</translation>
    </message>
    <message>
        <source>Write the trace of the following steps to</source>
        <translation>Записать трассировку следующих шагов в</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>Текстовые файлы (*.txt)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Trace log: the following steps go to %s.</source>
        <translation>Журнал трассировки: следующие шаги записываются в %s.</translation>
    </message>
    <message>
        <source>Trace log complete: %s step(s) written to %s.</source>
        <translation>Журнал трассировки завершён: шагов: %s, файл %s.</translation>
    </message>
    <message>
        <source>Executed %s time(s) since reset or &quot;Clear coverage&quot;.</source>
        <translation>Выполнено раз после сброса или «Очистить покрытие»: %s.</translation>
    </message>
    <message>
        <source>Not written by the program since reset.</source>
        <translation>После сброса программа сюда не писала.</translation>
    </message>
    <message>
        <source>Last written by the instruction at %s, %s cycle(s) ago.</source>
        <translation>Последняя запись: команда по адресу %s, тактов назад: %s.</translation>
    </message>
</context>
<context>
    <name>RunControl</name>
    <message>
        <source>(full emulation speed)</source>
        <translation>(полная скорость эмуляции)</translation>
    </message>
    <message>
        <source>Running...</source>
        <translation>Выполнение...</translation>
    </message>
    <message>
        <source>Ready.</source>
        <translation>Готово.</translation>
    </message>
    <message>
        <source>Paused on emulator exception: %s</source>
        <translation>Пауза из-за исключения эмулятора: %s</translation>
    </message>
    <message>
        <source>Paused on return from subroutine.</source>
        <translation>Пауза при возврате из подпрограммы.</translation>
    </message>
    <message>
        <source>Paused on breakpoint.</source>
        <translation>Пауза на точке останова.</translation>
    </message>
    <message>
        <source>Paused on run-to-cursor.</source>
        <translation>Пауза при выполнении до курсора.</translation>
    </message>
    <message>
        <source>Resetting...</source>
        <translation>Сброс...</translation>
    </message>
    <message>
        <source>Paused by user.</source>
        <translation>Пауза по команде пользователя.</translation>
    </message>
</context>
<context>
    <name>Session</name>
    <message>
        <source>This debug session was modified.
Do you want to SAVE it?</source>
        <translation>Этот отладочный сеанс изменён.
СОХРАНИТЬ его?</translation>
    </message>
    <message>
        <source>Error loading debug session - the file holds no session data.</source>
        <translation>Ошибка загрузки отладочного сеанса: в файле нет данных сеанса.</translation>
    </message>
    <message>
        <source>Debug sessions (*.dbgsession)</source>
        <translation>Отладочные сеансы (*.dbgsession)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Open previous debug session</source>
        <translation>Открыть сохранённый отладочный сеанс</translation>
    </message>
    <message>
        <source>Specify file name for this debug session</source>
        <translation>Укажите имя файла для этого отладочного сеанса</translation>
    </message>
    <message>
        <source>No game is loaded.</source>
        <translation>Игра не загружена.</translation>
    </message>
    <message>
        <source>Error loading debug session - the breakpoint address %d lies outside the ROM.</source>
        <translation>Ошибка загрузки отладочного сеанса: адрес точки останова %d лежит за пределами ПЗУ.</translation>
    </message>
    <message>
        <source>Error loading debug session - the breakpoint address %d lies outside the RAM.</source>
        <translation>Ошибка загрузки отладочного сеанса: адрес точки останова %d лежит за пределами ОЗУ.</translation>
    </message>
</context>
<context>
    <name>SevenSegmentTable</name>
    <message>
        <source> | Acc |Digit|    TD=0    |    TD=1    |</source>
        <translation> | Acc |Цифра|    TD=0    |    TD=1    |</translation>
    </message>
    <message>
        <source>TD=1 half:
O[0] b   O[1] a
O[2] g   O[3] c</source>
        <translation>Половина TD=1:
O[0] b   O[1] a
O[2] g   O[3] c</translation>
    </message>
    <message>
        <source>TD=0 half:
O[0] dot O[1] f
O[2] e   O[3] d</source>
        <translation>Половина TD=0:
O[0] точка O[1] f
O[2] e     O[3] d</translation>
    </message>
</context>
<context>
    <name>Shell</name>
    <message>
        <source>The operating system is out of memory or resources.</source>
        <translation>Операционной системе не хватает памяти или ресурсов.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Указанный файл не найден.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Указанный путь не найден.</translation>
    </message>
    <message>
        <source>The operating system denied access to the specified file.</source>
        <translation>Операционная система запретила доступ к указанному файлу.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>Для завершения операции не хватило памяти.</translation>
    </message>
    <message>
        <source>The .exe file is invalid (non-Microsoft Win32 .exe or error in .exe image).</source>
        <translation>Недопустимый файл .exe (не файл .exe Microsoft Win32 или ошибка в образе .exe).</translation>
    </message>
    <message>
        <source>A sharing violation occurred.</source>
        <translation>Произошло нарушение совместного доступа.</translation>
    </message>
    <message>
        <source>The file name association is incomplete or invalid.</source>
        <translation>Сопоставление для имени файла неполное или недопустимое.</translation>
    </message>
    <message>
        <source>The DDE transaction could not be completed because the request timed out.</source>
        <translation>Не удалось завершить транзакцию DDE: истекло время ожидания запроса.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>Сбой транзакции DDE.</translation>
    </message>
    <message>
        <source>The Dynamic Data Exchange (DDE) transaction could not be completed because other DDE transactions were being processed.</source>
        <translation>Не удалось завершить транзакцию динамического обмена данными (DDE), так как выполнялись другие транзакции DDE.</translation>
    </message>
    <message>
        <source>There is no application associated with the given file name extension. This error will also be returned if you attempt to print a file that is not printable.</source>
        <translation>С данным расширением имени файла не сопоставлено ни одно приложение. Эта ошибка возникает и при попытке напечатать файл, который нельзя напечатать.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library (DLL) was not found.</source>
        <translation>Указанная динамическая библиотека (DLL) не найдена.</translation>
    </message>
    <message>
        <source>Unknown shell error code 0x%.8x.</source>
        <translation>Неизвестный код ошибки оболочки 0x%.8x.</translation>
    </message>
    <message>
        <source>%s failed.
%s</source>
        <translation>Не удалось выполнить %s.
%s</translation>
    </message>
</context>
<context>
    <name>SoundRecording</name>
    <message>
        <source>Specify file name for recorded sound</source>
        <translation>Укажите имя файла для записанного звука</translation>
    </message>
    <message>
        <source>Wave files (*.wav)</source>
        <translation>Файлы Wave (*.wav)</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Sound recording is active. Do you want to save the recorded sound?</source>
        <translation>Идёт запись звука. Сохранить записанный звук?</translation>
    </message>
    <message>
        <source>The recording lasted %.1f seconds, longer than the %.1f seconds the sound buffer holds: only its last %.1f seconds were kept.</source>
        <translation>Запись длилась %.1f с, дольше, чем %.1f с, которые вмещает звуковой буфер: сохранены только её последние %.1f с.</translation>
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
<context>
    <name>TQtPrompter</name>
    <message>
        <source>Information</source>
        <translation>Информация</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Подтверждение</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
</context>
<context>
    <name>TQtTaskRunner</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Отмена операции...</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>(unknown)</source>
        <translation>(неизвестно)</translation>
    </message>
</context>
<context>
    <name>UserData</name>
    <message>
        <source>The user data file &quot;%s&quot; was not loaded: %s</source>
        <translation>Файл пользовательских данных &quot;%s&quot; не загружен: %s</translation>
    </message>
</context>
<context>
    <name>Zip</name>
    <message>
        <source>Cannot open the zip archive: %s.</source>
        <translation>Не удалось открыть zip-архив: %s.</translation>
    </message>
    <message>
        <source>The data is not a readable zip archive: %s.</source>
        <translation>Данные не являются читаемым zip-архивом: %s.</translation>
    </message>
    <message>
        <source>The zip archive has no file named &quot;%s&quot;.</source>
        <translation>В zip-архиве нет файла с именем &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>The zip archive holds no file.</source>
        <translation>В zip-архиве нет ни одного файла.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%s&quot; from the zip archive: %s.</source>
        <translation>Не удалось прочитать &quot;%s&quot; из zip-архива: %s.</translation>
    </message>
    <message>
        <source>The file &quot;%s&quot; in the zip archive is larger than %zu bytes; it is not a ROM image.</source>
        <translation>Файл &quot;%s&quot; в zip-архиве больше %zu байт; это не образ ПЗУ.</translation>
    </message>
</context>
<context>
    <name>tarvolin::TAboutDlg</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Emulator and debugger for SHARP SM-5A and КБ1013ВК1-2 programs</source>
        <translation>Эмулятор и отладчик программ для SHARP SM-5A и КБ1013ВК1-2</translation>
    </message>
    <message>
        <source>for testing and study purposes</source>
        <translation>для тестирования и изучения</translation>
    </message>
    <message>
        <source>Thanks to everyone who documented these chips and their games.</source>
        <translation>Спасибо всем, кто описал эти микросхемы и игры на них.</translation>
    </message>
    <message>
        <source>Emulation, debugger and pictures: the Tarvolin developers.</source>
        <translation>Эмуляция, отладчик и рисунки: разработчики Tarvolin.</translation>
    </message>
    <message>
        <source>no contact address configured</source>
        <translation>контактный адрес не задан</translation>
    </message>
    <message>
        <source>Contact the authors</source>
        <translation>Написать авторам</translation>
    </message>
</context>
<context>
    <name>tarvolin::TBreakpointsDlg</name>
    <message>
        <source>Breakpoint addresses</source>
        <translation>Адреса точек останова</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>&amp;Code breakpoints</source>
        <translation>Точки останова в &amp;коде</translation>
    </message>
    <message>
        <source>Memory breakpoints</source>
        <translation>Точки останова по памяти</translation>
    </message>
    <message>
        <source>&amp;Read memory:</source>
        <translation>&amp;Чтение памяти:</translation>
    </message>
    <message>
        <source>&amp;Write memory:</source>
        <translation>&amp;Запись в память:</translation>
    </message>
    <message>
        <source>C&amp;hange memory:</source>
        <translation>&amp;Изменение памяти:</translation>
    </message>
    <message>
        <source>Delete &amp;all</source>
        <translation>Удалить &amp;все</translation>
    </message>
</context>
<context>
    <name>tarvolin::TDebugActions</name>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Игра</translation>
    </message>
    <message>
        <source>&amp;Session</source>
        <translation>&amp;Сеанс</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Открыть...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Сохранить &amp;как...</translation>
    </message>
    <message>
        <source>&amp;Debug</source>
        <translation>&amp;Отладка</translation>
    </message>
    <message>
        <source>&amp;Trace into</source>
        <translation>&amp;Шаг с заходом</translation>
    </message>
    <message>
        <source>&amp;Step over</source>
        <translation>Шаг с &amp;обходом</translation>
    </message>
    <message>
        <source>Run u&amp;ntil Return</source>
        <translation>Выполнить до &amp;возврата</translation>
    </message>
    <message>
        <source>&amp;Animated run</source>
        <translation>&amp;Анимированное выполнение</translation>
    </message>
    <message>
        <source>&amp;Unattended run</source>
        <translation>&amp;Непрерывное выполнение</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Пауза</translation>
    </message>
    <message>
        <source>Re&amp;fresh</source>
        <translation>О&amp;бновить</translation>
    </message>
    <message>
        <source>MCU &amp;Reset</source>
        <translation>&amp;Сброс МК</translation>
    </message>
    <message>
        <source>&amp;Breakpoints...</source>
        <translation>&amp;Точки останова...</translation>
    </message>
    <message>
        <source>&amp;7-segment Coding Table...</source>
        <translation>Таблица &amp;7-сегментного кодирования...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>&amp;Play layout</source>
        <translation>&amp;Игровой вид</translation>
    </message>
    <message>
        <source>&amp;Reset layout</source>
        <translation>&amp;Расположение по умолчанию</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Игра</translation>
    </message>
    <message>
        <source>&amp;MCU pins...</source>
        <translation>&amp;Выводы МК...</translation>
    </message>
    <message>
        <source>&amp;Interconnection of MCU and LCD...</source>
        <translation>&amp;Соединения МК и ЖКИ...</translation>
    </message>
    <message>
        <source>Game &amp;keys...</source>
        <translation>&amp;Клавиши игры...</translation>
    </message>
    <message>
        <source>Game keys</source>
        <translation>Клавиши игры</translation>
    </message>
    <message>
        <source>&amp;Cheats / Test modes / Hidden features...</source>
        <translation>&amp;Читы / тестовые режимы / скрытые возможности...</translation>
    </message>
    <message>
        <source>Sound recording</source>
        <translation>Запись звука</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Параметры...</translation>
    </message>
    <message>
        <source>&amp;Misc</source>
        <translation>&amp;Разное</translation>
    </message>
    <message>
        <source>&amp;Useful links...</source>
        <translation>&amp;Полезные ссылки...</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <source>Run commands</source>
        <translation>Команды выполнения</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Панель инструментов</translation>
    </message>
    <message>
        <source>&amp;Recent ROMs</source>
        <translation>&amp;Недавние файлы ПЗУ</translation>
    </message>
    <message>
        <source>&amp;Clear list</source>
        <translation>&amp;Очистить список</translation>
    </message>
    <message>
        <source>Step bac&amp;k</source>
        <translation>Шаг на&amp;зад</translation>
    </message>
    <message>
        <source>Step back o&amp;ver</source>
        <translation>Ша&amp;г назад с обходом</translation>
    </message>
    <message>
        <source>Run back&amp;wards</source>
        <translation>Обратный &amp;ход</translation>
    </message>
    <message>
        <source>Keep &amp;history</source>
        <translation>Вести &amp;историю</translation>
    </message>
    <message>
        <source>History &amp;memory...</source>
        <translation>Па&amp;мять истории...</translation>
    </message>
    <message>
        <source>Mark e&amp;xecuted code</source>
        <translation>Отмечать выполненный &amp;код</translation>
    </message>
    <message>
        <source>C&amp;lear coverage</source>
        <translation>Очистить пок&amp;рытие</translation>
    </message>
    <message>
        <source>Trace l&amp;og...</source>
        <translation>&amp;Журнал трассировки...</translation>
    </message>
    <message>
        <source>S&amp;ound</source>
        <translation>&amp;Звук</translation>
    </message>
</context>
<context>
    <name>tarvolin::TDisAsmPane</name>
    <message>
        <source>Update</source>
        <translation>Обновлять</translation>
    </message>
    <message>
        <source>Update disassembly on animated run</source>
        <translation>Обновлять листинг при анимированном выполнении</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Скорость:</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Instruction hint</source>
        <translation>Подсказка по команде</translation>
    </message>
    <message>
        <source>Disassembly</source>
        <translation>Листинг</translation>
    </message>
    <message>
        <source>Show &amp;7-segment Coding Table...</source>
        <translation>Показать таблицу &amp;7-сегментного кодирования...</translation>
    </message>
    <message>
        <source>S&amp;how opcode legend...</source>
        <translation>Показать спр&amp;авку по коду операции...</translation>
    </message>
    <message>
        <source>Toggle address &amp;breakpoint</source>
        <translation>Установить/снять &amp;точку останова</translation>
    </message>
    <message>
        <source>&amp;Run to cursor</source>
        <translation>&amp;Выполнить до курсора</translation>
    </message>
    <message>
        <source>&amp;Go to address...</source>
        <translation>&amp;Перейти к адресу...</translation>
    </message>
    <message>
        <source>G&amp;o to current PC</source>
        <translation>Перейти к текущему &amp;PC</translation>
    </message>
    <message>
        <source>&amp;Follow</source>
        <translation>Перейти к &amp;цели</translation>
    </message>
    <message>
        <source>Go to ca&amp;ller</source>
        <translation>Перейти к месту в&amp;ызова</translation>
    </message>
    <message>
        <source>Go to &amp;previous</source>
        <translation>Вернуться к п&amp;редыдущему</translation>
    </message>
    <message>
        <source>S&amp;et PC to cursor</source>
        <translation>Установить PC на &amp;курсор</translation>
    </message>
    <message>
        <source>Set a&amp;ddress description...</source>
        <translation>Задать &amp;описание адреса...</translation>
    </message>
    <message>
        <source>&amp;Change opcode...</source>
        <translation>&amp;Изменить код операции...</translation>
    </message>
    <message>
        <source>Rever&amp;t changed opcode</source>
        <translation>Отменить из&amp;менение кода операции</translation>
    </message>
    <message>
        <source>Revert &amp;all opcode modifications</source>
        <translation>Отменить вс&amp;е изменения кодов операций</translation>
    </message>
    <message>
        <source>&amp;Search opcode...</source>
        <translation>&amp;Найти код операции...</translation>
    </message>
    <message>
        <source>Find ne&amp;xt</source>
        <translation>Найти &amp;далее</translation>
    </message>
    <message>
        <source>Sa&amp;ve disassembly to file...</source>
        <translation>Сохранить листинг в &amp;файл...</translation>
    </message>
</context>
<context>
    <name>tarvolin::TInputPanel</name>
    <message>
        <source>&amp;Radiation intensity:</source>
        <translation>&amp;Интенсивность излучения:</translation>
    </message>
    <message>
        <source>Radiation Intensity Simulator

0 - No radiation / Faulty dosimeter board
1 - Natural background radiation
2 - Higher radiation
3 - Chernobyl disaster</source>
        <translation>Имитатор интенсивности излучения

0 - Излучения нет / неисправна плата дозиметра
1 - Естественный радиационный фон
2 - Повышенный уровень радиации
3 - Чернобыльская авария</translation>
    </message>
    <message>
        <source>Raw input</source>
        <translation>Матрица входов</translation>
    </message>
    <message>
        <source>Game controls</source>
        <translation>Кнопки игры</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Входы</translation>
    </message>
    <message>
        <source>pin %1 (bit #%2)</source>
        <translation>вывод %1 (бит №%2)</translation>
    </message>
    <message>
        <source>pin %1 (bit #%2) for R%3%4</source>
        <translation>вывод %1 (бит №%2) при R%3%4</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сброс</translation>
    </message>
</context>
<context>
    <name>tarvolin::TLCDImageWidget</name>
    <message>
        <source>LCD picture</source>
        <translation>Изображение ЖКИ</translation>
    </message>
</context>
<context>
    <name>tarvolin::TLCDPictureView</name>
    <message>
        <source>Show &amp;interconnection of MCU and LCD...</source>
        <translation>Показать &amp;соединения МК и ЖКИ...</translation>
    </message>
    <message>
        <source>Open &amp;artwork folder</source>
        <translation>Открыть папку &amp;рисунков</translation>
    </message>
</context>
<context>
    <name>tarvolin::TMCUPackageView</name>
    <message>
        <source>Rotate right</source>
        <translation>Повернуть вправо</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>Отразить</translation>
    </message>
</context>
<context>
    <name>tarvolin::TMCUpinsForm</name>
    <message>
        <source>MCU pins</source>
        <translation>Выводы МК</translation>
    </message>
    <message>
        <source>Resize window to original size</source>
        <translation>Вернуть окну исходный размер</translation>
    </message>
    <message>
        <source>Resource not found</source>
        <translation>Ресурс не найден</translation>
    </message>
    <message>
        <source>The picture could not be decoded</source>
        <translation>Не удалось декодировать рисунок</translation>
    </message>
</context>
<context>
    <name>tarvolin::TMCUtoLCDFrm</name>
    <message>
        <source>Interconnection of MCU and LCD</source>
        <translation>Соединения МК и ЖКИ</translation>
    </message>
    <message>
        <source>Activated LCD elements</source>
        <translation>Активированные элементы ЖКИ</translation>
    </message>
    <message>
        <source>Pad number:</source>
        <translation>Номер контакта:</translation>
    </message>
    <message>
        <source>Activated MCU elements</source>
        <translation>Активированные элементы МК</translation>
    </message>
    <message>
        <source>Pin number:</source>
        <translation>Номер вывода:</translation>
    </message>
    <message>
        <source>Pin name:</source>
        <translation>Имя вывода:</translation>
    </message>
    <message>
        <source>O registers:</source>
        <translation>Регистры O:</translation>
    </message>
    <message>
        <source>Bit:</source>
        <translation>Бит:</translation>
    </message>
    <message>
        <source>Hover the mouse over either an LCD pad or an MCU pin to check which elements are interconnected. Ctrl+click locks the current interconnection. A simple click then releases the lock.</source>
        <translation>Наведите указатель мыши на контакт ЖКИ или вывод МК, чтобы увидеть, какие элементы соединены между собой. Ctrl+щелчок фиксирует текущее соединение. Простой щелчок затем снимает фиксацию.</translation>
    </message>
</context>
<context>
    <name>tarvolin::TMainFrm</name>
    <message>
        <source>Start by either opening a game from the Game menu,
or by loading a previously saved debug session.</source>
        <translation>Для начала откройте игру из меню &quot;Игра&quot;
или загрузите сохранённый ранее отладочный сеанс.</translation>
    </message>
    <message>
        <source>LCD picture</source>
        <translation>Изображение ЖКИ</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Входы</translation>
    </message>
    <message>
        <source>&amp;Back to the debugger</source>
        <translation>&amp;Вернуться в отладчик</translation>
    </message>
    <message>
        <source>Back to the debugger</source>
        <translation>Вернуться в отладчик</translation>
    </message>
    <message>
        <source>REC</source>
        <translation>ЗАП</translation>
    </message>
    <message>
        <source>Sound recording is ON</source>
        <translation>Идёт запись звука</translation>
    </message>
    <message>
        <source>Speed reached by the emulation, in percent of the real chip (16384 cycles per second)</source>
        <translation>Скорость эмуляции в процентах от скорости настоящей микросхемы (16384 цикла в секунду)</translation>
    </message>
    <message>
        <source>Machine cycles executed</source>
        <translation>Выполнено машинных циклов</translation>
    </message>
    <message>
        <source>Cycles: %1</source>
        <translation>Циклы: %1</translation>
    </message>
    <message>
        <source>Speed: %1 %</source>
        <translation>Скорость: %1 %</translation>
    </message>
</context>
<context>
    <name>tarvolin::TNewVersionDlg</name>
    <message>
        <source>New version available</source>
        <translation>Доступна новая версия</translation>
    </message>
    <message>
        <source>A new version is available:</source>
        <translation>Доступна новая версия:</translation>
    </message>
    <message>
        <source>&amp;Changelog:</source>
        <translation>&amp;Список изменений:</translation>
    </message>
</context>
<context>
    <name>tarvolin::TOpcodeLegendForm</name>
    <message>
        <source>Opcode Legend</source>
        <translation>Справка по коду операции</translation>
    </message>
</context>
<context>
    <name>tarvolin::TOptionsDlg</name>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Use Bank:Page:Step &amp;address notation</source>
        <translation>&amp;Адреса в виде Банк:Страница:Шаг</translation>
    </message>
    <message>
        <source>Use &amp;LFSR addressing</source>
        <translation>&amp;Шаги в адресах как коды счётчика (LFSR)</translation>
    </message>
    <message>
        <source>Append default disassembler &amp;comments</source>
        <translation>Добавлять стандартные &amp;комментарии дизассемблера</translation>
    </message>
    <message>
        <source>Instruction mnemonics</source>
        <translation>Мнемоники команд</translation>
    </message>
    <message>
        <source>&amp;Native to selected MCU</source>
        <translation>Р&amp;одные для выбранного МК</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Сочетания клавиш</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>По &amp;умолчанию</translation>
    </message>
    <message>
        <source>&amp;MAME style</source>
        <translation>В стиле &amp;MAME</translation>
    </message>
    <message>
        <source>Sound output type</source>
        <translation>Тип звукового сигнала</translation>
    </message>
    <message>
        <source>&amp;Raw bit wave</source>
        <translation>&amp;Исходный битовый сигнал</translation>
    </message>
    <message>
        <source>&amp;Derivation wave</source>
        <translation>&amp;Производная сигнала</translation>
    </message>
    <message>
        <source>User Interface language</source>
        <translation>Язык интерфейса</translation>
    </message>
    <message>
        <source>Sound during runs</source>
        <translation>Звук во время выполнения</translation>
    </message>
    <message>
        <source>Play the &amp;buzzer through the audio output</source>
        <translation>Воспроизводить &amp;зуммер через аудиовыход</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Громкость:</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Mute at &amp;full emulation speed</source>
        <translation>Без звука при &amp;максимальной скорости эмуляции</translation>
    </message>
    <message>
        <source>Mute while the &amp;window is minimised</source>
        <translation>Без звука при &amp;свёрнутом окне</translation>
    </message>
</context>
<context>
    <name>tarvolin::TQtAudioOutput</name>
    <message>
        <source>No sound: no audio output device.</source>
        <translation>Без звука: нет устройства вывода звука.</translation>
    </message>
    <message>
        <source>No sound: the audio output cannot play 16-bit mono samples.</source>
        <translation>Без звука: устройство вывода не воспроизводит 16-битный монофонический звук.</translation>
    </message>
    <message>
        <source>No sound: the audio output could not be started.</source>
        <translation>Без звука: не удалось запустить вывод звука.</translation>
    </message>
</context>
<context>
    <name>tarvolin::TSevenSegmentCodingTableForm</name>
    <message>
        <source>7-segment Coding Table</source>
        <translation>Таблица 7-сегментного кодирования</translation>
    </message>
</context>
<context>
    <name>tarvolin::TStatePanes</name>
    <message>
        <source>Update</source>
        <translation>Обновлять</translation>
    </message>
    <message>
        <source>Update %1</source>
        <translation>Обновлять: %1</translation>
    </message>
    <message>
        <source>Registers</source>
        <translation>Регистры</translation>
    </message>
    <message>
        <source>RAM address is out of range</source>
        <translation>Адрес ОЗУ вне допустимого диапазона</translation>
    </message>
    <message>
        <source>Sound recording is ON</source>
        <translation>Идёт запись звука</translation>
    </message>
    <message>
        <source>Set &amp;current time</source>
        <translation>Установить &amp;текущее время</translation>
    </message>
    <message>
        <source>Update Registers pane on animated or unattended run</source>
        <translation>Обновлять панель регистров при анимированном или непрерывном выполнении</translation>
    </message>
    <message>
        <source>RAM</source>
        <translation>ОЗУ</translation>
    </message>
    <message>
        <source>RAM %1</source>
        <translation>ОЗУ %1</translation>
    </message>
    <message>
        <source>Update RAM pane on unattended run</source>
        <translation>Обновлять панель ОЗУ при непрерывном выполнении</translation>
    </message>
    <message>
        <source>LCD</source>
        <translation>ЖКИ</translation>
    </message>
    <message>
        <source>Common plane</source>
        <translation>Общий электрод</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1, биты</translation>
    </message>
    <message>
        <source>- digit -</source>
        <translation>- цифра -</translation>
    </message>
    <message>
        <source>This O register pair encodes a digit</source>
        <translation>Эта пара регистров O кодирует цифру</translation>
    </message>
    <message>
        <source>Bank of 7-segment Coding Table</source>
        <translation>Банк таблицы 7-сегментного кодирования</translation>
    </message>
    <message>
        <source>Turn on &quot;dot&quot; segment (8th segment of a digit) if TD=0</source>
        <translation>Включить сегмент &quot;точка&quot; (8-й сегмент цифры), если TD=0</translation>
    </message>
    <message>
        <source>Update LCD registers on animated or unattended run</source>
        <translation>Обновлять регистры ЖКИ при анимированном или непрерывном выполнении</translation>
    </message>
</context>
<context>
    <name>tarvolin::TUsefulLinksDlg</name>
    <message>
        <source>Home page of this debugger</source>
        <translation>Домашняя страница этого отладчика</translation>
    </message>
    <message>
        <source>SHARP SM-5A Datasheet</source>
        <translation>Техническое описание SHARP SM-5A</translation>
    </message>
    <message>
        <source>SHARP Semiconductor Data Book (1986)</source>
        <translation>Справочник SHARP Semiconductor Data Book (1986)</translation>
    </message>
    <message>
        <source>Однокристальные ЭВМ серии КБ1013 (error-fixed transcription of an article from the magazine below)</source>
        <translation>Однокристальные ЭВМ серии КБ1013 (расшифровка статьи из журнала ниже, с исправленными ошибками)</translation>
    </message>
    <message>
        <source>&quot;Микропроцессорные средства и системы №5, 1987&quot; magazine (pages 5-18)</source>
        <translation>Журнал &quot;Микропроцессорные средства и системы №5, 1987&quot; (страницы 5-18)</translation>
    </message>
    <message>
        <source>КБ1013ВК1-2 chip decapped and scanned in high resolution - 24565 x 19999 pixels (use the button Скачать)</source>
        <translation>Кристалл КБ1013ВК1-2 без корпуса, снимок высокого разрешения - 24565 x 19999 пикселей (кнопка Скачать)</translation>
    </message>
    <message>
        <source>MAME - multi-purpose emulation framework for Windows / Mac OS / Linux (emulates many vintage handheld games)</source>
        <translation>MAME - многоцелевая среда эмуляции для Windows / Mac OS / Linux (эмулирует многие старые карманные игры)</translation>
    </message>
    <message>
        <source>Emulators of the Elektronika handheld games for Android (their authors are named on each app&apos;s page)</source>
        <translation>Эмуляторы карманных игр &quot;Электроника&quot; для Android (их авторы указаны на странице каждого приложения)</translation>
    </message>
    <message>
        <source>Emulators of the Elektronika handheld games for iOS (their authors are named on each app&apos;s page)</source>
        <translation>Эмуляторы карманных игр &quot;Электроника&quot; для iOS (их авторы указаны на странице каждого приложения)</translation>
    </message>
    <message>
        <source>Useful Links</source>
        <translation>Полезные ссылки</translation>
    </message>
    <message>
        <source>&amp;Copy link</source>
        <translation>&amp;Копировать ссылку</translation>
    </message>
    <message>
        <source>no home page configured (the setting UpdateServer is empty)</source>
        <translation>домашняя страница не задана (параметр UpdateServer пуст)</translation>
    </message>
    <message>
        <source>Checking ROM download addresses...</source>
        <translation>Проверка адресов загрузки ПЗУ...</translation>
    </message>
</context>
<context>
    <name>tarvolin::TValuePanesView</name>
    <message>
        <source>&amp;Change value...</source>
        <translation>&amp;Изменить значение...</translation>
    </message>
    <message>
        <source>&amp;Follow</source>
        <translation>&amp;Перейти по адресу</translation>
    </message>
    <message>
        <source>Set &amp;read memory breakpoint</source>
        <translation>Установить точку останова по &amp;чтению памяти</translation>
    </message>
    <message>
        <source>Set &amp;write memory breakpoint</source>
        <translation>Установить точку останова по &amp;записи в память</translation>
    </message>
    <message>
        <source>Set c&amp;hange memory breakpoint</source>
        <translation>Установить точку останова по из&amp;менению памяти</translation>
    </message>
    <message>
        <source>Remove &amp;read memory breakpoint</source>
        <translation>Снять точку останова по &amp;чтению памяти</translation>
    </message>
    <message>
        <source>Remove &amp;write memory breakpoint</source>
        <translation>Снять точку останова по &amp;записи в память</translation>
    </message>
    <message>
        <source>Remove c&amp;hange memory breakpoint</source>
        <translation>Снять точку останова по из&amp;менению памяти</translation>
    </message>
    <message>
        <source>Show &amp;7-segment Coding Table...</source>
        <translation>Показать таблицу &amp;7-сегментного кодирования...</translation>
    </message>
    <message>
        <source>Show &amp;MCU pins...</source>
        <translation>Показать &amp;выводы МК...</translation>
    </message>
    <message>
        <source>Show &amp;interconnection of MCU and LCD...</source>
        <translation>Показать &amp;соединения МК и ЖКИ...</translation>
    </message>
</context>
</TS>
