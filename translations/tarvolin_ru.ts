<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Cheats</name>
    <message>
        <source>INVINCIBILITY
K4 signaled upon reset (sets RAM[0x35] bit #0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Beta signaled upon reset

INVINCIBILITY
Beta signaled during play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
K4 signaled upon reset

INVINCIBILITY
K4 signaled during play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Beta signaled upon reset

BEGINNER MODE (longer timeout)
Beta signaled during play</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
any [R3=0]K pin signaled upon reset

INVINCIBILITY
any [R3=0]K pin signaled upon reset (sets RAM[0x2A] bit #2)

BUZZER TEST
[R3=0]K4 signaled during play or clock mode</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LCD TEST
any [R3=0]K pin signaled upon reset; [R3=0]K4 then switches between full (all segments lit up) and partial LCD test (COM0 segments lit up)

INVINCIBILITY
any [R3=0]K pin signaled upon reset (sets RAM[0x2A] bit #2)

BUZZER TEST
[R3=0]K4 signaled during play or clock mode</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
Alpha signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
Beta signaled upon reset

INVINCIBILITY
Alpha signaled during play</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
INT1 signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
INT0 signaled upon reset

INVINCIBILITY
INT1 signaled during play</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
INT1 signaled upon reset

PARTIAL LCD TEST (COM0 segments lit up)
INT0 signaled upon reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FULL LCD TEST (all segments lit up)
INT1 signaled upon reset

INVINCIBILITY
INT1 signaled during play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>INVINCIBILITY
Alpha signaled during play

SCORE BOOSTER
Beta signaled during play (every successful catch increases the score by 50 points, instead of default 5 points)</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP status code: %d (&apos;%s&apos;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot retrieve HTTP status code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The request was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The address &quot;%s&quot; is not an http or https address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot start an HTTP request (out of memory).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server sent more than %s bytes; the transfer was stopped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading ROM...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot retrieve raw HTTP headers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file in the archive holds %u bytes; a ROM image has %u.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving ROM...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsupported archive type.

Unpack &apos;%s&apos; from &apos;%s&apos; manually.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Cannot write file &quot;%s&quot;: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too many files of that name exist already</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameMenu</name>
    <message>
        <source>Load &amp;custom SM-5A ROM...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Games</name>
    <message>
        <source>A custom game</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Hint</name>
    <message>
        <source>skipping</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sum=%s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bit %d: %u</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Interconnection</name>
    <message>
        <source>No segment in COM0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No segment in COM1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: LCD COM pads %d and %d drive the same group of segments; i.e. if one of them is broken the LCD will still work correctly.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: Segment groups driven by LCD COM pads are only approximate. They need to be confirmed using a real LCD.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LCD</name>
    <message>
        <source>Resource %s not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(non-specific technical image)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image data is truncated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PNG image cannot be decoded: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image data is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the data is not a PNG image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unsupported pixel format</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Legend</name>
    <message>
        <source>Exchange accumulator with RAM field denoted by DP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load accumulator with RAM field denoted by DP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Increment DPL.
Skip next instruction if DPL was 7.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Decrement DPL.
Skip next instruction if DPL was 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift O register (O8-&gt;O7-&gt;...-&gt;O1-&gt;O0).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encode a digit in accumulator using 7-segment Coding Table (taking the value of TD into account) and put the result to O8.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Xor DPH with %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear bit %s of RAM field denoted by DP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set bit %s of RAM field denoted by DP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set accumulator to %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip all following LC instructions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add 10 (0xA) to accumulator.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add %s to accumulator.
Skip next instruction if result is greater than 0xF.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set DP to 0x%s.
Set RAM Bank Selector to 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if bit %s of RAM field denoted by DP is 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set ROM page to %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call far subroutine at %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jump far to %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call far subroutine at %s (if MSB=0) or %s (if MSB=1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jump far to %s (if MSB=0) or %s (if MSB=1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jump.
- If not in subroutine, the target depends on values in MSB and Page registers.
- Otherwise jump to step %s within the current bank and page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If not in subroutine, call a subroutine at %s.
Otherwise jump to a branch within the current bank.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No operation, i.e. empty instruction.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send accumulator to R register.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set RAM Bank Selector to 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send accumulator to LCD controller (bit #3 (!xxx) sets the TD flag).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add RAM field denoted by DP to accumulator.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add RAM field and Carry flag to accumulator.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ones&apos; complement of accumulator.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exchange accumulator with DPL register.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if Alpha is not triggered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if Beta is not triggered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if Carry=0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if accumulator equals to RAM field denoted by DP.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if T14=0; otherwise clear the T14 flag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy O8 to O&apos;8.
Copy O7 to O&apos;7.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if Acc=0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skip next instruction if Acc=DPL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the whole O register to O&apos; register.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the Halt mode.
Wait until either T14=1, or K&lt;&gt;0.
Then continue execution at %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load accumulator with highest 4 bits of T.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set DP to 0x%s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle TD.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy O8 to O7.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy accumulator to O8.
Clear bit %s of O8.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy accumulator to O8.
Set bit %s of O8.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set T to zero.
Set the T14 flag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the Carry flag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the Carry flag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set accumulator to zero.
Clear the LD0 flag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the LD0 flag.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load accumulator with input register K.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set RAM Bank Selector to 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle ROM Bank Selector.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return from subroutine.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return from subroutine and skip next instruction.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>; --- BANK %d  PAGE #%X ---</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WAKE FROM HALT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RESET</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SUBROUTINES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if DPL was 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if DPL was 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if Carry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if %s not signaled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if Carry=0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if Acc=mem</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if T14=0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if Acc=0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if Acc=DPL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>copy O to O&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shift O; O8=DigitToSegments(Acc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shift O; O8=Acc and 0111</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>shift O; O8=Acc or 1000</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>upon return skip next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>clear mem bit %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>set mem bit %d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if sum was &gt; 0xF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip next if mem bit %d set</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SevenSegmentTable</name>
    <message>
        <source> | Acc |Digit|    TD=0    |    TD=1    |</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TD=1 half:
O[0] b   O[1] a
O[2] g   O[3] c</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TD=0 half:
O[0] dot O[1] f
O[2] e   O[3] d</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Shell</name>
    <message>
        <source>The operating system is out of memory or resources.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operating system denied access to the specified file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The .exe file is invalid (non-Microsoft Win32 .exe or error in .exe image).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sharing violation occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file name association is incomplete or invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction could not be completed because the request timed out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Dynamic Data Exchange (DDE) transaction could not be completed because other DDE transactions were being processed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no application associated with the given file name extension. This error will also be returned if you attempt to print a file that is not printable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified dynamic-link library (DLL) was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown shell error code 0x%.8x.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%s failed.
%s</source>
        <translation type="unfinished"></translation>
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
    <message>
        <source>Cannot open file &quot;%s&quot;: %s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file &quot;%s&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TQtPrompter</name>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>(unknown)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Zip</name>
    <message>
        <source>Cannot open the zip archive: %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data is not a readable zip archive: %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The zip archive has no file named &quot;%s&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The zip archive holds no file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read &quot;%s&quot; from the zip archive: %s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%s&quot; in the zip archive is larger than %zu bytes; it is not a ROM image.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TAboutDlg</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emulator and debugger for SHARP SM-5A and КБ1013ВК1-2 programs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for testing and study purposes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thanks to everyone who documented these chips and their games.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emulation, debugger and pictures: the Tarvolin developers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no contact address configured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact the authors</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TMCUPackageView</name>
    <message>
        <source>Rotate right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TMCUpinsForm</name>
    <message>
        <source>MCU pins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resize window to original size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resource not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture could not be decoded</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TMCUtoLCDFrm</name>
    <message>
        <source>Interconnection of MCU and LCD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activated LCD elements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pad number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activated MCU elements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pin number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pin name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>O registers:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bit:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hover the mouse over either an LCD pad or an MCU pin to check which elements are interconnected. Ctrl+click locks the current interconnection. A simple click then releases the lock.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TNewVersionDlg</name>
    <message>
        <source>New version available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version is available:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Changelog:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TOpcodeLegendForm</name>
    <message>
        <source>Opcode Legend</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TOptionsDlg</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Bank:Page:Step &amp;address notation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use &amp;LFSR addressing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Append default disassembler &amp;comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Instruction mnemonics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Native to selected MCU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;MAME style</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound output type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Raw bit wave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Derivation wave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Interface language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TSevenSegmentCodingTableForm</name>
    <message>
        <source>7-segment Coding Table</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tarvolin::TUsefulLinksDlg</name>
    <message>
        <source>Home page of this debugger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHARP SM-5A Datasheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHARP Semiconductor Data Book (1986)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Однокристальные ЭВМ серии КБ1013 (error-fixed transcription of an article from the magazine below)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;Микропроцессорные средства и системы №5, 1987&quot; magazine (pages 5-18)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>КБ1013ВК1-2 chip decapped and scanned in high resolution - 24565 x 19999 pixels (use the button Скачать)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAME - multi-purpose emulation framework for Windows / Mac OS / Linux (emulates many vintage handheld games)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emulators of the Elektronika handheld games for Android (their authors are named on each app&apos;s page)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emulators of the Elektronika handheld games for iOS (their authors are named on each app&apos;s page)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Useful Links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no home page configured (the setting UpdateServer is empty)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking ROM download addresses...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
