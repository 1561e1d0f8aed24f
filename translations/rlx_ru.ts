<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AdresArrayFake</name>
    <message>
        <source>Remote Device Address  </source>
        <translation>Адрес удалённого устройства  </translation>
    </message>
</context>
<context>
    <name>CalibrationSteps</name>
    <message>
        <source>Set point %1 mkA taken by the device.</source>
        <translation>Уставка %1 мкА принята устройством.</translation>
    </message>
    <message>
        <source>The device did not accept the set point %1 mkA ($a).</source>
        <translation>Устройство не приняло уставку %1 мкА ($a).</translation>
    </message>
    <message>
        <source>Measured %2 mkA for the set point %1 mkA stored in the device.</source>
        <translation>Измеренное значение %2 мкА для уставки %1 мкА записано в устройство.</translation>
    </message>
    <message>
        <source>The device did not accept the measured %2 mkA for the set point %1 mkA ($b).</source>
        <translation>Устройство не приняло измеренное значение %2 мкА для уставки %1 мкА ($b).</translation>
    </message>
    <message>
        <source>Calibration mode off.</source>
        <translation>Режим калибровки выключен.</translation>
    </message>
    <message>
        <source>The device did not confirm leaving calibration mode: no answer to $c.</source>
        <translation>Устройство не подтвердило выход из режима калибровки: нет ответа на $c.</translation>
    </message>
    <message>
        <source>Calibration mode on: the output drives its 20 mA check current.</source>
        <translation>Режим калибровки включён: выход выдаёт контрольный ток 20 мА.</translation>
    </message>
    <message>
        <source>The device did not enter calibration mode: no answer to $d.</source>
        <translation>Устройство не перешло в режим калибровки: нет ответа на $d.</translation>
    </message>
</context>
<context>
    <name>CheckCommands</name>
    <message>
        <source>mV</source>
        <translation>мВ</translation>
    </message>
    <message>
        <source>mkA</source>
        <translation>мкА</translation>
    </message>
    <message>
        <source>Radio stability check: the remote addresses are polled in turn, one poll a second, and counted per address (polls, answered, share, longest run of misses).</source>
        <translation>Проверка устойчивости радиосвязи: удалённые адреса опрашиваются по очереди, один опрос в секунду, и для каждого адреса ведётся счёт (опросы, ответы, доля ответов, самая длинная серия пропусков).</translation>
    </message>
    <message>
        <source>Remote addresses, e.g. 1,3,5 (0 to 64).</source>
        <translation>Удалённые адреса, например 1,3,5 (от 0 до 64).</translation>
    </message>
    <message>
        <source>list</source>
        <translation>список</translation>
    </message>
    <message>
        <source>Poll every address N times (default 10).</source>
        <translation>Опросить каждый адрес N раз (по умолчанию 10).</translation>
    </message>
    <message>
        <source>Poll for S seconds instead.</source>
        <translation>Вместо этого опрашивать S секунд.</translation>
    </message>
    <message>
        <source>Also write the table as CSV.</source>
        <translation>Также записать таблицу в CSV.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>файл</translation>
    </message>
    <message>
        <source>Exit 1 when an address answered a smaller share of its polls (0 to 1, e.g. 0.9).</source>
        <translation>Код выхода 1, если какой-либо адрес ответил на меньшую долю опросов (от 0 до 1, например 0.9).</translation>
    </message>
    <message>
        <source>share</source>
        <translation>доля</translation>
    </message>
    <message>
        <source>test takes no arguments</source>
        <translation>команда test не принимает аргументов</translation>
    </message>
    <message>
        <source>--addresses is missing</source>
        <translation>не задан параметр --addresses</translation>
    </message>
    <message>
        <source>--rounds and --duration exclude each other</source>
        <translation>--rounds и --duration нельзя задавать вместе</translation>
    </message>
    <message>
        <source>--rounds takes a number from 1 to %1</source>
        <translation>--rounds принимает число от 1 до %1</translation>
    </message>
    <message>
        <source>--duration takes seconds from 1 to %1 (a week)</source>
        <translation>--duration принимает число секунд от 1 до %1 (неделя)</translation>
    </message>
    <message>
        <source>--min-share takes a share from 0 to 1</source>
        <translation>--min-share принимает долю от 0 до 1</translation>
    </message>
    <message>
        <source>address</source>
        <translation>адрес</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>опросов</translation>
    </message>
    <message>
        <source>answered</source>
        <translation>ответов</translation>
    </message>
    <message>
        <source>longest miss run</source>
        <translation>макс. серия пропусков</translation>
    </message>
    <message>
        <source>rlx-cli: address %1 answered %2 of %3 polls, less than %4</source>
        <translation>rlx-cli: адрес %1 ответил на %2 из %3 опросов, это меньше %4</translation>
    </message>
    <message>
        <source>The input values of a transmitter, asked for once a second: the two analog values (microamperes or millivolts) and the two discrete states.</source>
        <translation>Значения входов передатчика, запрашиваемые раз в секунду: два аналоговых значения (микроамперы или милливольты) и два дискретных состояния.</translation>
    </message>
    <message>
        <source>How many times (default 10).</source>
        <translation>Сколько раз (по умолчанию 10).</translation>
    </message>
    <message>
        <source>Also write the values as CSV.</source>
        <translation>Также записать значения в CSV.</translation>
    </message>
    <message>
        <source>measure takes no arguments</source>
        <translation>команда measure не принимает аргументов</translation>
    </message>
    <message>
        <source>--count takes a number from 1 to %1</source>
        <translation>--count принимает число от 1 до %1</translation>
    </message>
    <message>
        <source>High</source>
        <translation>высокий</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>низкий</translation>
    </message>
    <message>
        <source>%1 s  in1 %2 %3  in2 %4 %5  d1 %6  d2 %7</source>
        <translation>%1 с  вх1 %2 %3  вх2 %4 %5  д1 %6  д2 %7</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Configures RLX Vela radio I/O devices over serial ports, without a window.

Commands:
  ports       the serial ports, as the configurator lists them
  identify    hardware, firmware and firmware variant of the devices
  read        read every setting
  write       write a settings file (.rlx or .json) and check the read-back
  defaults    restore the factory settings
  test        radio stability check of remote addresses
  measure     the input values of a transmitter, once a second
  report      commissioning report (PDF or HTML)
  convert     settings file to JSON and back
  diff        a settings file against the devices, nothing written
  get         single settings of the devices
  set         change single settings: read, change, write, verify
  backup      one settings file per device in a folder

&apos;rlx-cli COMMAND --help&apos; describes a command. Several --port options (or a
glob such as &apos;/dev/ttyUSB*&apos;) serve the devices side by side.

Exit codes: 0 done; 1 a device did not answer or refused; 2 usage error;
3 the read-back differs from what was written; 4 a file could not be read
or written.</source>
        <translation>Настройка радиоустройств ввода-вывода RLX Vela через последовательные порты, без окна.

Команды:
  ports       последовательные порты, как их показывает конфигуратор
  identify    аппаратная версия, прошивка и вариант прошивки устройств
  read        прочитать все параметры
  write       записать файл параметров (.rlx или .json) и проверить обратное чтение
  defaults    восстановить заводские параметры
  test        проверка устойчивости радиосвязи с удалёнными адресами
  measure     значения входов передатчика, раз в секунду
  report      протокол ввода в эксплуатацию (PDF или HTML)
  convert     файл параметров в JSON и обратно
  diff        сравнить файл параметров с устройствами, ничего не записывая
  get         отдельные параметры устройств
  set         изменить отдельные параметры: чтение, изменение, запись, проверка
  backup      по файлу параметров на каждое устройство в папке

&apos;rlx-cli КОМАНДА --help&apos; описывает команду. Несколько параметров --port (или
шаблон вида &apos;/dev/ttyUSB*&apos;) обслуживают устройства параллельно.

Коды выхода: 0 выполнено; 1 устройство не ответило или отказало; 2 ошибка
вызова; 3 обратное чтение отличается от записанного; 4 файл не удалось
прочитать или записать.</translation>
    </message>
    <message>
        <source>rlx-cli: standard output: %1
</source>
        <translation>rlx-cli: стандартный вывод: %1
</translation>
    </message>
    <message>
        <source>Serial port (a path, a glob or a port list entry); repeatable.</source>
        <translation>Последовательный порт (путь, шаблон или строка списка портов); можно повторять.</translation>
    </message>
    <message>
        <source>port</source>
        <translation>порт</translation>
    </message>
    <message>
        <source>rlx-cli: %1 (see rlx-cli --help)</source>
        <translation>rlx-cli: %1 (см. rlx-cli --help)</translation>
    </message>
    <message>
        <source>rlx or json: the kind of settings where no suffix tells (&quot;-&quot; is standard input or output, JSON unless rlx is given).</source>
        <translation>rlx или json: вид файла параметров, когда его не видно по расширению («-» — стандартный ввод или вывод, JSON, если не указано rlx).</translation>
    </message>
    <message>
        <source>kind</source>
        <translation>вид</translation>
    </message>
    <message>
        <source>--format takes rlx or json, not &quot;%1&quot;</source>
        <translation>--format принимает rlx или json, а не «%1»</translation>
    </message>
    <message>
        <source>%1: settings are a .rlx or a .json file (or give --format)</source>
        <translation>%1: параметры задаются файлом .rlx или .json (или укажите --format)</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>стандартный ввод</translation>
    </message>
    <message>
        <source>%1 setting(s) out of range; nothing was sent</source>
        <translation>параметров вне допустимого диапазона: %1; ничего не отправлено</translation>
    </message>
    <message>
        <source>command</source>
        <translation>команда</translation>
    </message>
    <message>
        <source>The command to run.</source>
        <translation>Выполняемая команда.</translation>
    </message>
    <message>
        <source>COMMAND [options]</source>
        <translation>КОМАНДА [параметры]</translation>
    </message>
    <message>
        <source>Write the engine&apos;s debug log (requests, answers, time-outs) to standard error; before the command.</source>
        <translation>Выводить отладочный журнал обмена (запросы, ответы, тайм-ауты) в стандартный поток ошибок; указывается перед командой.</translation>
    </message>
    <message>
        <source>The language of the texts for this run: en, ru, system (the system&apos;s language) or default (the program&apos;s own texts); without it, the language chosen in the configurator&apos;s window. Before the command.</source>
        <translation>Язык текстов для этого запуска: en, ru, system (язык системы) или default (собственные тексты программы); без него — язык, выбранный в окне конфигуратора. Указывается перед командой.</translation>
    </message>
    <message>
        <source>language</source>
        <translation>язык</translation>
    </message>
    <message>
        <source>--lang takes %1, not &quot;%2&quot;</source>
        <translation>--lang принимает %1, а не «%2»</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>неизвестная команда «%1»</translation>
    </message>
    <message>
        <source>no port matches %1</source>
        <translation>ни один порт не соответствует %1</translation>
    </message>
    <message>
        <source>bad address &quot;%1&quot; (0 to 64, comma-separated)</source>
        <translation>неверный адрес «%1» (от 0 до 64, через запятую)</translation>
    </message>
    <message>
        <source>--port is missing</source>
        <translation>не задан параметр --port</translation>
    </message>
    <message>
        <source>this command takes one port</source>
        <translation>эта команда принимает только один порт</translation>
    </message>
    <message>
        <source>rlx-cli: interrupted: ending after the request on the line (interrupt again to leave at once)</source>
        <translation>rlx-cli: прервано: завершение после текущего запроса на линии (прервите ещё раз, чтобы выйти сразу)</translation>
    </message>
    <message>
        <source>%1: %2 (%3): written %4, device holds %5</source>
        <translation>%1: %2 (%3): записано %4, в устройстве %5</translation>
    </message>
    <message>
        <source>%1: not read back by this device, not verified: %2</source>
        <translation>%1: это устройство не возвращает при чтении, не проверено: %2</translation>
    </message>
</context>
<context>
    <name>CommissioningReport</name>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>Commissioning report</source>
        <translation>Протокол ввода в эксплуатацию</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Аппаратная версия</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Прошивка</translation>
    </message>
    <message>
        <source>Firmware variant</source>
        <translation>Вариант прошивки</translation>
    </message>
    <message>
        <source>Configurator</source>
        <translation>Конфигуратор</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>Наладчик</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Примечание</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>не прочитано</translation>
    </message>
    <message>
        <source>the device&apos;s reply was missing or damaged</source>
        <translation>ответ устройства отсутствовал или был повреждён</translation>
    </message>
    <message>
        <source>not reported by this device</source>
        <translation>это устройство его не сообщает</translation>
    </message>
    <message>
        <source>from the identification</source>
        <translation>из идентификации</translation>
    </message>
    <message>
        <source>Radio stability check</source>
        <translation>Проверка устойчивости радиосвязи</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Polls sent</source>
        <translation>Отправлено опросов</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>Получено ответов</translation>
    </message>
    <message>
        <source>Share answered</source>
        <translation>Доля ответов</translation>
    </message>
    <message>
        <source>Longest run of misses</source>
        <translation>Самая длинная серия пропусков</translation>
    </message>
    <message>
        <source>&lt;b&gt;The check was cut short&lt;/b&gt; before every planned poll was made; the figures cover the polls made.</source>
        <translation>&lt;b&gt;Проверка прервана&lt;/b&gt; до выполнения всех запланированных опросов; цифры относятся к выполненным опросам.</translation>
    </message>
    <message>
        <source>%1: a report is written as PDF or HTML; give a file name ending in .pdf or .html</source>
        <translation>%1: протокол записывается в PDF или HTML; укажите имя файла с окончанием .pdf или .html</translation>
    </message>
    <message>
        <source>%1: a PDF report needs the graphical toolkit, which was not started</source>
        <translation>%1: для протокола в PDF нужна графическая подсистема, а она не запущена</translation>
    </message>
    <message>
        <source>%1: the PDF could not be made</source>
        <translation>%1: не удалось создать PDF</translation>
    </message>
</context>
<context>
    <name>DeviceCommands</name>
    <message>
        <source>The serial ports present, as the configurator lists them, running virtual devices included.</source>
        <translation>Имеющиеся последовательные порты в том виде, в каком их показывает конфигуратор, включая запущенные виртуальные устройства.</translation>
    </message>
    <message>
        <source>As JSON: name, port to open, virtual.</source>
        <translation>В виде JSON: имя, открываемый порт, признак виртуального.</translation>
    </message>
    <message>
        <source>ports takes no arguments</source>
        <translation>команда ports не принимает аргументов</translation>
    </message>
    <message>
        <source>Asks each device who it is: hardware, firmware and firmware variant.</source>
        <translation>Запрашивает у каждого устройства идентификацию: аппаратную версию, прошивку и вариант прошивки.</translation>
    </message>
    <message>
        <source>As JSON, one object per port.</source>
        <translation>В виде JSON, по объекту на порт.</translation>
    </message>
    <message>
        <source>identify takes no arguments</source>
        <translation>команда identify не принимает аргументов</translation>
    </message>
    <message>
        <source>Reads every setting of each device (the sequence of the configurator&apos;s READ).</source>
        <translation>Читает все параметры каждого устройства (последовательность кнопки ЧТЕНИЕ конфигуратора).</translation>
    </message>
    <message>
        <source>As JSON: one object per port (an array for several ports) with port, hardware, firmware, variant, ok, settings and unanswered.</source>
        <translation>В виде JSON: по объекту на порт (массив для нескольких портов) с полями port, hardware, firmware, variant, ok, settings и unanswered.</translation>
    </message>
    <message>
        <source>Also save the settings to a file: .rlx (the configurator&apos;s settings file) or .json. One port only.</source>
        <translation>Также сохранить параметры в файл: .rlx (файл параметров конфигуратора) или .json. Только для одного порта.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>файл</translation>
    </message>
    <message>
        <source>read takes no arguments</source>
        <translation>команда read не принимает аргументов</translation>
    </message>
    <message>
        <source>-o takes one port</source>
        <translation>-o допускает только один порт</translation>
    </message>
    <message>
        <source>rlx-cli: %1 not written: the read is incomplete</source>
        <translation>rlx-cli: %1 не записан: чтение неполное</translation>
    </message>
    <message>
        <source>Writes a settings file (.rlx or .json) to each device with the sequence of the configurator&apos;s WRITE, reads it back and compares field by field; every difference is printed.</source>
        <translation>Записывает файл параметров (.rlx или .json) в каждое устройство последовательностью кнопки ЗАПИСЬ конфигуратора, читает параметры обратно и сравнивает поле за полем; выводится каждое расхождение.</translation>
    </message>
    <message>
        <source>Do not compare the read-back.</source>
        <translation>Не сравнивать результат обратного чтения.</translation>
    </message>
    <message>
        <source>Write a file read from another model of device (a JSON file of &apos;rlx-cli read&apos; names the hardware it came from).</source>
        <translation>Записать файл, прочитанный с устройства другой модели (файл JSON от &apos;rlx-cli read&apos; указывает аппаратную версию, с которой он прочитан).</translation>
    </message>
    <message>
        <source>The settings: FILE.rlx, FILE.json or - for standard input.</source>
        <translation>Параметры: ФАЙЛ.rlx, ФАЙЛ.json или - для стандартного ввода.</translation>
    </message>
    <message>
        <source>write takes one settings file</source>
        <translation>команда write принимает один файл параметров</translation>
    </message>
    <message>
        <source>Restores the factory settings of each device with the sequence of the configurator&apos;s DEFAULT: the radio module&apos;s serial rate is searched (about half a minute), then the settings are written and read back.</source>
        <translation>Восстанавливает заводские параметры каждого устройства последовательностью кнопки ПО УМОЛЧАНИЮ конфигуратора: подбирается скорость обмена радиомодуля (около полминуты), затем параметры записываются и читаются обратно.</translation>
    </message>
    <message>
        <source>defaults takes no arguments</source>
        <translation>команда defaults не принимает аргументов</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Commissioning report of a device: identity and settings, and with --test the radio stability check of the given addresses.</source>
        <translation>Протокол ввода устройства в эксплуатацию: идентификация и параметры, а с --test — проверка устойчивости радиосвязи с заданными адресами.</translation>
    </message>
    <message>
        <source>The report: FILE.pdf or FILE.html.</source>
        <translation>Протокол: ФАЙЛ.pdf или ФАЙЛ.html.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>файл</translation>
    </message>
    <message>
        <source>Remote addresses to check, e.g. 1,3.</source>
        <translation>Проверяемые удалённые адреса, например 1,3.</translation>
    </message>
    <message>
        <source>list</source>
        <translation>список</translation>
    </message>
    <message>
        <source>Polls per address (default 10).</source>
        <translation>Опросов на адрес (по умолчанию 10).</translation>
    </message>
    <message>
        <source>Where the device is installed.</source>
        <translation>Место установки устройства.</translation>
    </message>
    <message>
        <source>text</source>
        <translation>текст</translation>
    </message>
    <message>
        <source>Who commissioned it.</source>
        <translation>Кто вводил в эксплуатацию.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>имя</translation>
    </message>
    <message>
        <source>A remark for the report.</source>
        <translation>Примечание для протокола.</translation>
    </message>
    <message>
        <source>report takes no arguments</source>
        <translation>команда report не принимает аргументов</translation>
    </message>
    <message>
        <source>-o FILE.pdf or FILE.html is missing</source>
        <translation>не задан -o ФАЙЛ.pdf или ФАЙЛ.html</translation>
    </message>
    <message>
        <source>the report is a .pdf or an .html file</source>
        <translation>протокол записывается в файл .pdf или .html</translation>
    </message>
    <message>
        <source>--rounds goes with --test</source>
        <translation>--rounds задаётся только вместе с --test</translation>
    </message>
    <message>
        <source>--rounds takes a number from 1 to %1</source>
        <translation>--rounds принимает число от 1 до %1</translation>
    </message>
    <message>
        <source>Converts a settings file of the configurator (.rlx) to readable JSON (.json) and back; the way back gives the same bytes. JSON with unknown, missing or out-of-range fields, and settings no device may be given, are refused.</source>
        <translation>Преобразует файл параметров конфигуратора (.rlx) в читаемый JSON (.json) и обратно; обратное преобразование даёт те же байты. JSON с неизвестными, отсутствующими или выходящими за диапазон полями, а также параметры, недопустимые для устройств, отклоняются.</translation>
    </message>
    <message>
        <source>from</source>
        <translation>откуда</translation>
    </message>
    <message>
        <source>FILE.rlx, FILE.json or - (standard input)</source>
        <translation>ФАЙЛ.rlx, ФАЙЛ.json или - (стандартный ввод)</translation>
    </message>
    <message>
        <source>to</source>
        <translation>куда</translation>
    </message>
    <message>
        <source>FILE.json, FILE.rlx or - (standard output)</source>
        <translation>ФАЙЛ.json, ФАЙЛ.rlx или - (стандартный вывод)</translation>
    </message>
    <message>
        <source>convert takes two files</source>
        <translation>команда convert принимает два файла</translation>
    </message>
</context>
<context>
    <name>FleetCommands</name>
    <message>
        <source>no setting &quot;%1&quot; (the names of &apos;rlx-cli read&apos;)</source>
        <translation>нет параметра «%1» (имена — как в выводе &apos;rlx-cli read&apos;)</translation>
    </message>
    <message>
        <source>Compares a settings file (.rlx or .json) with what each device holds, setting by setting; nothing is written. Exit 3 when they differ.</source>
        <translation>Сравнивает файл параметров (.rlx или .json) с параметрами каждого устройства, параметр за параметром; ничего не записывается. Код выхода 3 при расхождении.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>файл</translation>
    </message>
    <message>
        <source>The settings: FILE.rlx, FILE.json or - (standard input).</source>
        <translation>Параметры: ФАЙЛ.rlx, ФАЙЛ.json или - (стандартный ввод).</translation>
    </message>
    <message>
        <source>diff takes one settings file</source>
        <translation>команда diff принимает один файл параметров</translation>
    </message>
    <message>
        <source>%1: %2 (%3): file %4, device %5</source>
        <translation>%1: %2 (%3): в файле %4, в устройстве %5</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>не прочитано</translation>
    </message>
    <message>
        <source>Prints the named settings (the names of &apos;rlx-cli read&apos;) as each device holds them.</source>
        <translation>Выводит названные параметры (имена — как в выводе &apos;rlx-cli read&apos;) в том виде, в каком они хранятся в каждом устройстве.</translation>
    </message>
    <message>
        <source>key</source>
        <translation>имя</translation>
    </message>
    <message>
        <source>A setting&apos;s name.</source>
        <translation>Имя параметра.</translation>
    </message>
    <message>
        <source>KEY...</source>
        <translation>ИМЯ...</translation>
    </message>
    <message>
        <source>get takes the names of settings</source>
        <translation>команда get принимает имена параметров</translation>
    </message>
    <message>
        <source>Changes single settings: each device is read, the named settings are changed, the whole record is written and read back to verify it. A device whose read is incomplete is left as it was.</source>
        <translation>Изменяет отдельные параметры: каждое устройство читается, названные параметры изменяются, весь набор записывается и читается обратно для проверки. Устройство, прочитанное не полностью, остаётся без изменений.</translation>
    </message>
    <message>
        <source>setting</source>
        <translation>параметр</translation>
    </message>
    <message>
        <source>KEY=VALUE, for example power=5.</source>
        <translation>ИМЯ=ЗНАЧЕНИЕ, например power=5.</translation>
    </message>
    <message>
        <source>KEY=VALUE...</source>
        <translation>ИМЯ=ЗНАЧЕНИЕ...</translation>
    </message>
    <message>
        <source>set takes KEY=VALUE pairs</source>
        <translation>команда set принимает пары ИМЯ=ЗНАЧЕНИЕ</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not KEY=VALUE</source>
        <translation>«%1» не имеет вида ИМЯ=ЗНАЧЕНИЕ</translation>
    </message>
    <message>
        <source>%1 is not a setting of the device</source>
        <translation>%1 не является параметром устройства</translation>
    </message>
    <message>
        <source>%1 takes %2, not &quot;%3&quot;</source>
        <translation>%1 принимает %2, а не «%3»</translation>
    </message>
    <message>
        <source>rlx-cli: %1: %2 (%3): %4; nothing was written</source>
        <translation>rlx-cli: %1: %2 (%3): %4; ничего не записано</translation>
    </message>
    <message>
        <source>Reads each device and saves its settings to a file of its own in a folder, named by hardware, port and date (JSON that &apos;rlx-cli write&apos; takes, with the hardware it was read from). A device whose read is incomplete gets no file.</source>
        <translation>Читает каждое устройство и сохраняет его параметры в отдельный файл в папке с именем по аппаратной версии, порту и дате (JSON, который принимает &apos;rlx-cli write&apos;, с указанием аппаратной версии). Для устройства, прочитанного не полностью, файл не создаётся.</translation>
    </message>
    <message>
        <source>The folder for the files.</source>
        <translation>Папка для файлов.</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>backup takes no arguments</source>
        <translation>команда backup не принимает аргументов</translation>
    </message>
    <message>
        <source>--dir is missing</source>
        <translation>не задан параметр --dir</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>это не папка</translation>
    </message>
</context>
<context>
    <name>InputFile</name>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>именованный канал</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>файл устройства</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>специальный файл</translation>
    </message>
    <message>
        <source>Not a regular file but %1</source>
        <translation>Это не обычный файл, а %1</translation>
    </message>
    <message>
        <source>Too large: more than %1 bytes</source>
        <translation>Слишком большой файл: более %1 байт</translation>
    </message>
</context>
<context>
    <name>Interruption</name>
    <message>
        <source>rlx-cli: interrupted again: leaving now
</source>
        <translation>rlx-cli: повторное прерывание: немедленный выход
</translation>
    </message>
</context>
<context>
    <name>Kalibr</name>
    <message>
        <source>Check current (the flowing out current must be 20mA)</source>
        <translation>Контрольный ток (выходной ток должен быть 20 мА)</translation>
    </message>
    <message>
        <source>Exit calibration mode</source>
        <translation>Выйти из режима калибровки</translation>
    </message>
    <message>
        <source>Set current</source>
        <translation>Задать ток</translation>
    </message>
    <message>
        <source>Еnter value</source>
        <translation>Ввести значение</translation>
    </message>
    <message>
        <source>Write actual current value</source>
        <translation>Запишите фактическое значение тока</translation>
    </message>
    <message>
        <source>mkA</source>
        <translation>мкА</translation>
    </message>
    <message>
        <source>Current set point, mkA</source>
        <translation>Уставка тока, мкА</translation>
    </message>
</context>
<context>
    <name>LaunchCheck</name>
    <message>
        <source>Usage: rlx-configurator [toolkit options]
Configures RLX Vela 868 MHz radio I/O devices over a serial port, in a window.

Options:
  -h, --help           show this help and exit
  -v, --version        show the version and exit
  --lang LANG          the language of the window: en, ru, system (the system&apos;s
                       language) or default (the window&apos;s own texts); kept for
                       the next start
  -platform NAME       the toolkit&apos;s window system (xcb, wayland, offscreen, ...)

Needs a display (DISPLAY or WAYLAND_DISPLAY). Without a window: rlx-cli.
Debug output on standard error: categories rlx.protocol, rlx.window and
rlx.trace (off unless QT_LOGGING_RULES=&quot;rlx.trace.debug=true&quot;).
</source>
        <translation>Использование: rlx-configurator [параметры Qt]
Настройка радиоустройств ввода-вывода RLX Vela 868 МГц через последовательный
порт, в окне.

Параметры:
  -h, --help           показать эту справку и выйти
  -v, --version        показать версию и выйти
  --lang ЯЗЫК          язык окна: en, ru, system (язык системы) или default
                       (собственные тексты окна); сохраняется до следующего
                       запуска
  -platform ИМЯ        оконная система Qt (xcb, wayland, offscreen, ...)

Нужен дисплей (DISPLAY или WAYLAND_DISPLAY). Без окна: rlx-cli.
Отладочный вывод в стандартный поток ошибок: категории rlx.protocol,
rlx.window и rlx.trace (только при QT_LOGGING_RULES=&quot;rlx.trace.debug=true&quot;).
</translation>
    </message>
    <message>
        <source>rlx-configurator: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); rlx-cli works without one
</source>
        <translation>rlx-configurator: нет дисплея, на котором можно открыть окно (не задана ни DISPLAY, ни WAYLAND_DISPLAY); rlx-cli работает без него
</translation>
    </message>
    <message>
        <source>rlx-configurator: --lang needs a language: %1
</source>
        <translation>rlx-configurator: для --lang нужно указать язык: %1
</translation>
    </message>
    <message>
        <source>rlx-configurator: unknown language &quot;%1&quot; for --lang; known: %2
</source>
        <translation>rlx-configurator: неизвестный язык «%1» для --lang; известны: %2
</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>RLX Vela Конфигуратор v.%1</source>
        <translation>RLX Vela Конфигуратор v.%1</translation>
    </message>
    <message>
        <source>Stability check running; STOP ends it.</source>
        <translation>Идёт проверка стабильности связи; кнопка СТОП завершает её.</translation>
    </message>
    <message>
        <source>Writing…</source>
        <translation>Запись…</translation>
    </message>
    <message>
        <source>Reading…</source>
        <translation>Чтение…</translation>
    </message>
    <message>
        <source>Restoring the factory settings…</source>
        <translation>Восстановление заводских настроек…</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Подключение к %1…</translation>
    </message>
    <message>
        <source>Disconnected from %1.</source>
        <translation>Отключено от %1.</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Не удалось подключиться</translation>
    </message>
    <message>
        <source>The connection through %1 was lost; the port was closed.</source>
        <translation>Связь через %1 потеряна; порт закрыт.</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>Связь потеряна</translation>
    </message>
    <message>
        <source>RLX Vela Конфигуратор v.%1  Hardware: %2  Firmware: v.%3</source>
        <translation>RLX Vela Конфигуратор v.%1  Модель: %2  Прошивка: v.%3</translation>
    </message>
    <message>
        <source>Убедитесь в актуальности FirmWare</source>
        <translation>Убедитесь в актуальности прошивки</translation>
    </message>
    <message>
        <source>Ошибка выполнения команды. Продолжить?</source>
        <translation>Ошибка выполнения команды. Продолжить?</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>WRITE: nothing was sent, because these settings cannot go to a device: %1.</source>
        <translation>ЗАПИСЬ: ничего не отправлено, так как эти настройки нельзя записать в устройство: %1.</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Сохранить настройки</translation>
    </message>
    <message>
        <source>%1 %2 became %3</source>
        <translation>%1: %2 заменено на %3</translation>
    </message>
    <message>
        <source> Values the editors cannot show were changed: %1.</source>
        <translation> Изменены значения, которые нельзя показать в полях: %1.</translation>
    </message>
    <message>
        <source> Set these in their editors before WRITE: %1.</source>
        <translation> Задайте их в полях перед ЗАПИСЬЮ: %1.</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Открыть настройки</translation>
    </message>
</context>
<context>
    <name>Measure</name>
    <message>
        <source>Measurement mode</source>
        <translation>Режим измерения</translation>
    </message>
    <message>
        <source>Asks the device for its input values once a second until pressed again; red when answers stop.</source>
        <translation>Раз в секунду запрашивает у устройства значения входов, пока кнопку не нажмут снова; красная, когда ответы прекратились.</translation>
    </message>
    <message>
        <source>Arithmetic mean</source>
        <translation>Среднее арифметическое</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Медиана</translation>
    </message>
    <message>
        <source>Simple moving average</source>
        <translation>Простое скользящее среднее</translation>
    </message>
    <message>
        <source>Latest value of input %1; greyed while the device does not answer.</source>
        <translation>Последнее значение входа %1; серое, пока устройство не отвечает.</translation>
    </message>
    <message>
        <source>Discrete state of input %1: High once its value reaches the threshold.</source>
        <translation>Дискретное состояние входа %1: «Высокий», когда значение достигает порога.</translation>
    </message>
    <message>
        <source>Averaging type</source>
        <translation>Тип усреднения</translation>
    </message>
    <message>
        <source>Averaging interval</source>
        <translation>Интервал усреднения</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>с</translation>
    </message>
    <message>
        <source>Transition from low to high</source>
        <translation>Порог перехода из низкого в высокий</translation>
    </message>
    <message>
        <source>In A%1</source>
        <translation>Вход А%1</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>мА</translation>
    </message>
    <message>
        <source>mkA</source>
        <translation>мкА</translation>
    </message>
    <message>
        <source>In D%1</source>
        <translation>Вход Д%1</translation>
    </message>
    <message>
        <source>V</source>
        <translation>В</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>мВ</translation>
    </message>
    <message>
        <source> High</source>
        <translation> Высокий</translation>
    </message>
    <message>
        <source> Low</source>
        <translation> Низкий</translation>
    </message>
    <message>
        <source>Stop measurement</source>
        <translation>Остановить измерение</translation>
    </message>
    <message>
        <source>%1 state</source>
        <translation>состояние %1</translation>
    </message>
</context>
<context>
    <name>OutcomeLine</name>
    <message>
        <source>Device not identified</source>
        <translation>Устройство не опознано</translation>
    </message>
    <message>
        <source>The device on %1 did not answer the identity request ($2).

Its model and firmware are unknown, so its settings were read in a layout that may not be its own and may be shown wrongly. WRITE and DEFAULT send nothing to it until a connection identifies the device: check the device and connect again.</source>
        <translation>Устройство на %1 не ответило на запрос идентификации ($2).

Его модель и прошивка неизвестны, поэтому настройки прочитаны по схеме, которая может ему не соответствовать, и могут отображаться неверно. ЗАПИСЬ и ПО УМОЛЧАНИЮ ничего не отправляют, пока устройство не будет опознано при подключении: проверьте устройство и подключитесь снова.</translation>
    </message>
    <message>
        <source>%1: nothing was sent, because the device on %2 has not identified itself; connect again once it answers the identity request ($2).</source>
        <translation>%1: ничего не отправлено, так как устройство на %2 не опознано; подключитесь снова, когда оно начнёт отвечать на запрос идентификации ($2).</translation>
    </message>
    <message>
        <source>Calibration: nothing was sent, because the port is closed; connect the device first.</source>
        <translation>Калибровка: ничего не отправлено, так как порт закрыт; сначала подключите устройство.</translation>
    </message>
    <message>
        <source>Calibrating…</source>
        <translation>Калибровка…</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Not a regular file but %1; it was left as it was</source>
        <translation>Это не обычный файл, а %1; он оставлен без изменений</translation>
    </message>
    <message>
        <source>The file could not be written</source>
        <translation>Не удалось записать файл</translation>
    </message>
</context>
<context>
    <name>PortJob</name>
    <message>
        <source> (identity)</source>
        <translation> (идентификация)</translation>
    </message>
    <message>
        <source> (configuration write)</source>
        <translation> (запись конфигурации)</translation>
    </message>
    <message>
        <source> (configuration read)</source>
        <translation> (чтение конфигурации)</translation>
    </message>
    <message>
        <source> (command mode)</source>
        <translation> (командный режим)</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>ничего</translation>
    </message>
    <message>
        <source>cannot open the port: %1</source>
        <translation>не удаётся открыть порт: %1</translation>
    </message>
    <message>
        <source>read</source>
        <translation>чтение</translation>
    </message>
    <message>
        <source>connect</source>
        <translation>подключение</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>подтверждение</translation>
    </message>
    <message>
        <source>write</source>
        <translation>запись</translation>
    </message>
    <message>
        <source>defaults</source>
        <translation>заводские параметры</translation>
    </message>
    <message>
        <source>test</source>
        <translation>проверка связи</translation>
    </message>
    <message>
        <source>measure</source>
        <translation>измерение</translation>
    </message>
    <message>
        <source>the identity replies looked damaged</source>
        <translation>ответы на запрос идентификации выглядели повреждёнными</translation>
    </message>
    <message>
        <source>the identity reply looks damaged (firmware &quot;%1&quot;, hardware &quot;%2&quot;)</source>
        <translation>ответ на запрос идентификации выглядит повреждённым (прошивка «%1», аппаратная версия «%2»)</translation>
    </message>
    <message>
        <source>no answer to &quot;%1&quot; (identity); asked again</source>
        <translation>нет ответа на «%1» (идентификация); запрос повторён</translation>
    </message>
    <message>
        <source>no answer to &quot;%1&quot; (identity)</source>
        <translation>нет ответа на «%1» (идентификация)</translation>
    </message>
    <message>
        <source>no answer to &quot;%1&quot;%2</source>
        <translation>нет ответа на «%1»%2</translation>
    </message>
    <message>
        <source>the port was lost (device unplugged?)</source>
        <translation>порт потерян (устройство отключено?)</translation>
    </message>
    <message>
        <source>identify</source>
        <translation>идентификация</translation>
    </message>
    <message>
        <source>%1 interrupted: written: %2; not written: %3</source>
        <translation>%1: прервано; записано: %2; не записано: %3</translation>
    </message>
    <message>
        <source>%1 interrupted before anything was written</source>
        <translation>%1: прервано до записи чего-либо</translation>
    </message>
    <message>
        <source>%1 interrupted after %2 poll(s)</source>
        <translation>%1: прервано, выполнено опросов: %2</translation>
    </message>
    <message>
        <source>%1 interrupted after %2 of %3 measurement(s)</source>
        <translation>%1: прервано после %2 из %3 измерений</translation>
    </message>
    <message>
        <source>%1 interrupted</source>
        <translation>%1: прервано</translation>
    </message>
    <message>
        <source>the radio module did not answer &quot;ATO&quot; and may still be in command mode</source>
        <translation>радиомодуль не ответил на «ATO» и, возможно, остался в командном режиме</translation>
    </message>
    <message>
        <source>the device may be left at another serial rate; running defaults again restores it</source>
        <translation>устройство могло остаться на другой скорости обмена; повторный запуск defaults её восстановит</translation>
    </message>
    <message>
        <source>the settings were read from %1, this device is %2; nothing was written (--force writes them anyway)</source>
        <translation>параметры прочитаны с %1, а это устройство — %2; ничего не записано (--force записывает их всё равно)</translation>
    </message>
    <message>
        <source>FAILED, %1</source>
        <translation>ОШИБКА, %1</translation>
    </message>
    <message>
        <source>FAILED, interrupted before the device identified itself</source>
        <translation>ОШИБКА, прервано до идентификации устройства</translation>
    </message>
    <message>
        <source>%1, firmware %2 (variant %3)</source>
        <translation>%1, прошивка %2 (вариант %3)</translation>
    </message>
    <message>
        <source>, identity not confirmed (the replies disagreed or looked damaged)</source>
        <translation>, идентификация не подтверждена (ответы расходились или выглядели повреждёнными)</translation>
    </message>
    <message>
        <source>, interrupted</source>
        <translation>, прервано</translation>
    </message>
    <message>
        <source>, %1 request(s) unanswered</source>
        <translation>, запросов без ответа — %1</translation>
    </message>
    <message>
        <source>, read %1 times to confirm</source>
        <translation>, чтений для подтверждения — %1</translation>
    </message>
    <message>
        <source>, not read: %1</source>
        <translation>, не прочитано: %1</translation>
    </message>
    <message>
        <source>, stability check cut short after %1 poll(s)</source>
        <translation>, проверка устойчивости прервана, выполнено опросов — %1</translation>
    </message>
    <message>
        <source>, %1 setting(s) differ</source>
        <translation>, расходящихся параметров — %1</translation>
    </message>
    <message>
        <source>, verified</source>
        <translation>, проверено</translation>
    </message>
    <message>
        <source>: FAILED</source>
        <translation>: ОШИБКА</translation>
    </message>
    <message>
        <source>: ok</source>
        <translation>: успешно</translation>
    </message>
</context>
<context>
    <name>PortLock</name>
    <message>
        <source>process %1</source>
        <translation>процесс %1</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (процесс %2)</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 на %2</translation>
    </message>
</context>
<context>
    <name>PortProblem</name>
    <message>
        <source>No serial port is chosen. Plug in the adapter and choose its port in the list.</source>
        <translation>Последовательный порт не выбран. Подключите адаптер и выберите его порт в списке.</translation>
    </message>
    <message>
        <source>The port %1 was not found. Check that the adapter is plugged in and choose its port in the list.</source>
        <translation>Порт %1 не найден. Проверьте, что адаптер подключён, и выберите его порт в списке.</translation>
    </message>
    <message>
        <source>%1 is not a serial port. Choose the port of the adapter in the list.</source>
        <translation>%1 не является последовательным портом. Выберите порт адаптера в списке.</translation>
    </message>
    <message>
        <source>You have no permission to use the port %1. On Linux, add your user to the %2 group (sudo usermod -aG %2 $USER), then log out and in again.</source>
        <translation>Нет прав на использование порта %1. В Linux добавьте пользователя в группу %2 (sudo usermod -aG %2 $USER), затем выйдите из системы и войдите снова.</translation>
    </message>
    <message>
        <source>The port %1 is in use by %2. Close that program and connect again.</source>
        <translation>Порт %1 занят программой %2. Закройте её и подключитесь снова.</translation>
    </message>
    <message>
        <source>The port %1 is in use by another program. Close that program and connect again.</source>
        <translation>Порт %1 занят другой программой. Закройте её и подключитесь снова.</translation>
    </message>
    <message>
        <source>The port %1 could not be opened: %2</source>
        <translation>Не удалось открыть порт %1: %2</translation>
    </message>
    <message>
        <source>The connection through the port %1 was lost: the adapter was unplugged or the device stopped answering.
Check the cable, the adapter and the power of the device, choose the port in the list and connect again.</source>
        <translation>Связь через порт %1 потеряна: адаптер отключён или устройство перестало отвечать.
Проверьте кабель, адаптер и питание устройства, выберите порт в списке и подключитесь снова.</translation>
    </message>
</context>
<context>
    <name>ProgressLine</name>
    <message>
        <source>%1 ports</source>
        <translation>портов: %1</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Вывести справку по параметрам командной строки.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Вывести справку, включая параметры Qt.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Вывести сведения о версии.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Использование: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Параметры:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Аргументы:</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[параметры]</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Неизвестный параметр «%1».</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Неизвестные параметры: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Нет значения после «%1».</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Лишнее значение после «%1».</translation>
    </message>
</context>
<context>
    <name>ReqPeriod</name>
    <message>
        <source>Requests period</source>
        <translation>Период опроса</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>с</translation>
    </message>
</context>
<context>
    <name>RunOutcome</name>
    <message>
        <source>%1 of %2 requests answered</source>
        <translation>получены ответы на %1 из %2 запросов</translation>
    </message>
    <message>
        <source>; unanswered: %1</source>
        <translation>; без ответа: %1</translation>
    </message>
    <message>
        <source>stopped at your answer after %1, %2 requests not sent</source>
        <translation>остановлено по вашему ответу после %1, не отправлено запросов: %2</translation>
    </message>
    <message>
        <source>No device answered on %1: %2.</source>
        <translation>Ни одно устройство не ответило на %1: %2.</translation>
    </message>
    <message>
        <source>The device on %1 did not identify itself: %2; WRITE and DEFAULT send nothing until a connection identifies it.</source>
        <translation>Устройство на %1 не опознано: %2; ЗАПИСЬ и ПО УМОЛЧАНИЮ ничего не отправляют, пока устройство не будет опознано при подключении.</translation>
    </message>
    <message>
        <source>Identified %1, firmware %2, on %3: %4.</source>
        <translation>Опознано %1, прошивка %2, на %3: %4.</translation>
    </message>
    <message>
        <source>Read: %1.</source>
        <translation>Чтение: %1.</translation>
    </message>
    <message>
        <source>; not read, as the device&apos;s replies for them were damaged or incomplete: %1</source>
        <translation>; не прочитано, так как ответы устройства на них были искажены или неполны: %1</translation>
    </message>
    <message>
        <source>the radio module answered ATR at no serial rate, so its own factory values were not restored</source>
        <translation>радиомодуль не ответил на ATR ни на одной скорости порта, поэтому его собственные заводские значения не восстановлены</translation>
    </message>
    <message>
        <source>the device did not accept %1</source>
        <translation>устройство не приняло %1</translation>
    </message>
    <message>
        <source>%1: wrote %2, device holds %3</source>
        <translation>%1: записано %2, в устройстве %3</translation>
    </message>
    <message>
        <source>unanswered: %1</source>
        <translation>без ответа: %1</translation>
    </message>
    <message>
        <source>not read back, so not verified: %1</source>
        <translation>не прочитано обратно и потому не проверено: %1</translation>
    </message>
    <message>
        <source>Written and verified</source>
        <translation>Записано и проверено</translation>
    </message>
    <message>
        <source>Factory settings written and verified</source>
        <translation>Заводские настройки записаны и проверены</translation>
    </message>
    <message>
        <source>Not written as intended: %1</source>
        <translation>Записано не так, как задано: %1</translation>
    </message>
    <message>
        <source>Factory settings not restored as intended: %1</source>
        <translation>Заводские настройки восстановлены не полностью: %1</translation>
    </message>
    <message>
        <source>; the device does not report back: %1</source>
        <translation>; устройство не сообщает значения: %1</translation>
    </message>
</context>
<context>
    <name>SettingsFields</name>
    <message>
        <source>Delay Tx-Rx</source>
        <translation>Задержка Tx-Rx</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Мощность</translation>
    </message>
    <message>
        <source>Radio Data Rate</source>
        <translation>Скорость радиообмена</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Чётность</translation>
    </message>
    <message>
        <source>Stop bit</source>
        <translation>Стоповые биты</translation>
    </message>
    <message>
        <source>Sub-band</source>
        <translation>Поддиапазон</translation>
    </message>
    <message>
        <source>Serial Timeout</source>
        <translation>Тайм-аут порта</translation>
    </message>
    <message>
        <source>Radio Transmit Reset</source>
        <translation>Сброс радиопередатчика</translation>
    </message>
    <message>
        <source>Serial Data Rate</source>
        <translation>Скорость порта</translation>
    </message>
    <message>
        <source>WDT Reset</source>
        <translation>Сторожевой таймер</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Averaging 1</source>
        <translation>Усреднение 1</translation>
    </message>
    <message>
        <source>Averaging 2</source>
        <translation>Усреднение 2</translation>
    </message>
    <message>
        <source>Transition from low to high 1</source>
        <translation>Порог перехода из низкого в высокий 1</translation>
    </message>
    <message>
        <source>Transition from low to high 2</source>
        <translation>Порог перехода из низкого в высокий 2</translation>
    </message>
    <message>
        <source>Spare</source>
        <translation>Резерв</translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation>Управление потоком</translation>
    </message>
    <message>
        <source>Output kind</source>
        <translation>Тип выхода</translation>
    </message>
    <message>
        <source>Delay Rx-Tx</source>
        <translation>Задержка Rx-Tx</translation>
    </message>
    <message>
        <source>Requests period</source>
        <translation>Период опроса</translation>
    </message>
    <message>
        <source>Num of down</source>
        <translation>Число пропусков связи</translation>
    </message>
    <message>
        <source>Radio Module Reset</source>
        <translation>Сброс радиомодуля</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Адреса удалённых устройств</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address list (up to 16 hexadecimal digits)</source>
        <translation>«%1» — не список адресов (до 16 шестнадцатеричных цифр)</translation>
    </message>
    <message>
        <source>%1 is not %2</source>
        <translation>%1 — недопустимо, нужно: %2</translation>
    </message>
    <message>
        <source>a valid averaging: kind %1 is not 0 to 2</source>
        <translation>допустимое усреднение (вид %1 не от 0 до 2)</translation>
    </message>
    <message>
        <source>a valid averaging: interval %1 is not %2 to %3</source>
        <translation>допустимое усреднение (интервал %1 не от %2 до %3)</translation>
    </message>
    <message>
        <source>valid: the non-responses in bits 3..0 (%1) are not %2 to %3</source>
        <translation>допустимое значение (число пропусков в битах 3..0, %1, не от %2 до %3)</translation>
    </message>
    <message>
        <source>one of %1</source>
        <translation>одно из значений %1</translation>
    </message>
    <message>
        <source>a channel at radio data rate %1 (0 to %2)</source>
        <translation>канал для скорости радиообмена %1 (от 0 до %2)</translation>
    </message>
    <message>
        <source>%1 to %2 at serial data rate %3</source>
        <translation>от %1 до %2 при скорости порта %3</translation>
    </message>
    <message>
        <source>an address list</source>
        <translation>список адресов</translation>
    </message>
    <message>
        <source>kind 0 to 2 with an interval of %1 to %2</source>
        <translation>вид от 0 до 2 с интервалом от %1 до %2</translation>
    </message>
    <message>
        <source>%1 to %2 non-responses, with any output options</source>
        <translation>от %1 до %2 пропусков, с любыми настройками выходов</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 или %2</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>от %1 до %2</translation>
    </message>
    <message>
        <source>1200 baud</source>
        <translation>1200 бод</translation>
    </message>
    <message>
        <source>2400 baud</source>
        <translation>2400 бод</translation>
    </message>
    <message>
        <source>4800 baud</source>
        <translation>4800 бод</translation>
    </message>
    <message>
        <source>9600 baud</source>
        <translation>9600 бод</translation>
    </message>
    <message>
        <source>19200 baud</source>
        <translation>19200 бод</translation>
    </message>
    <message>
        <source>38400 baud</source>
        <translation>38400 бод</translation>
    </message>
    <message>
        <source>57600 baud</source>
        <translation>57600 бод</translation>
    </message>
    <message>
        <source>115200 baud</source>
        <translation>115200 бод</translation>
    </message>
    <message>
        <source>4800 bps</source>
        <translation>4800 бит/с</translation>
    </message>
    <message>
        <source>9600 bps</source>
        <translation>9600 бит/с</translation>
    </message>
    <message>
        <source>19200 bps</source>
        <translation>19200 бит/с</translation>
    </message>
    <message>
        <source>38400 bps</source>
        <translation>38400 бит/с</translation>
    </message>
    <message>
        <source>115200 bps</source>
        <translation>115200 бит/с</translation>
    </message>
    <message>
        <source>-8 dBm</source>
        <translation>-8 дБм</translation>
    </message>
    <message>
        <source>-5 dBm</source>
        <translation>-5 дБм</translation>
    </message>
    <message>
        <source>-2 dBm</source>
        <translation>-2 дБм</translation>
    </message>
    <message>
        <source>+1 dBm</source>
        <translation>+1 дБм</translation>
    </message>
    <message>
        <source>+4 dBm</source>
        <translation>+4 дБм</translation>
    </message>
    <message>
        <source>+7 dBm</source>
        <translation>+7 дБм</translation>
    </message>
    <message>
        <source>+10 dBm</source>
        <translation>+10 дБм</translation>
    </message>
    <message>
        <source>+14 dBm</source>
        <translation>+14 дБм</translation>
    </message>
    <message>
        <source>g1 868-868.6 MHz</source>
        <translation>g1 868-868.6 МГц</translation>
    </message>
    <message>
        <source>g2 868.7-869.2 MHz</source>
        <translation>g2 868.7-869.2 МГц</translation>
    </message>
    <message>
        <source>g3 869.4-869.65 MHz</source>
        <translation>g3 869.4-869.65 МГц</translation>
    </message>
    <message>
        <source>g4 869.7-870 MHz</source>
        <translation>g4 869.7-870 МГц</translation>
    </message>
    <message>
        <source>8-bit data, parity none</source>
        <translation>8 бит данных, без контроля чётности</translation>
    </message>
    <message>
        <source>8-bit data, parity even</source>
        <translation>8 бит данных, контроль по чётности</translation>
    </message>
    <message>
        <source>8-bit data, parity odd</source>
        <translation>8 бит данных, контроль по нечётности</translation>
    </message>
    <message>
        <source>9-bit data, parity none</source>
        <translation>9 бит данных, без контроля чётности</translation>
    </message>
    <message>
        <source>1 stop bit</source>
        <translation>1 стоповый бит</translation>
    </message>
    <message>
        <source>2 stop bits</source>
        <translation>2 стоповых бита</translation>
    </message>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>hardware (RTS/CTS)</source>
        <translation>аппаратное (RTS/CTS)</translation>
    </message>
    <message>
        <source>off</source>
        <translation>выключено</translation>
    </message>
    <message>
        <source>arithmetic mean</source>
        <translation>среднее арифметическое</translation>
    </message>
    <message>
        <source>median</source>
        <translation>медиана</translation>
    </message>
    <message>
        <source>simple moving average</source>
        <translation>простое скользящее среднее</translation>
    </message>
    <message>
        <source>kind %1</source>
        <translation>вид %1</translation>
    </message>
    <message>
        <source>%1 over %2 s</source>
        <translation>%1 за %2 с</translation>
    </message>
    <message>
        <source>link lost after %1 non-responses</source>
        <translation>связь потеряна после %1 пропусков</translation>
    </message>
    <message>
        <source>output 1 inverted</source>
        <translation>выход 1 инвертирован</translation>
    </message>
    <message>
        <source>output 2 inverted</source>
        <translation>выход 2 инвертирован</translation>
    </message>
    <message>
        <source>output 1 zero/high on link loss</source>
        <translation>выход 1 в ноль/высокий уровень при потере связи</translation>
    </message>
    <message>
        <source>output 2 high on link loss</source>
        <translation>выход 2 в высокий уровень при потере связи</translation>
    </message>
    <message>
        <source>x100 µs</source>
        <translation>x100 мкс</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>мс</translation>
    </message>
    <message>
        <source>x100 ms</source>
        <translation>x100 мс</translation>
    </message>
    <message>
        <source>x10 s</source>
        <translation>x10 с</translation>
    </message>
    <message>
        <source>s</source>
        <translation>с</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>The file is damaged or incomplete.</source>
        <translation>Файл повреждён или неполон.</translation>
    </message>
    <message>
        <source>This is not a regular file of its own.</source>
        <translation>Это не обычный самостоятельный файл.</translation>
    </message>
    <message>
        <source>The bytes read back differ from the bytes written.</source>
        <translation>Прочитанные обратно байты отличаются от записанных.</translation>
    </message>
    <message>
        <source>The bytes read back could not be read.</source>
        <translation>Не удалось прочитать записанные байты обратно.</translation>
    </message>
</context>
<context>
    <name>SettingsFileDialogs</name>
    <message>
        <source>Save Settings</source>
        <translation>Сохранить настройки</translation>
    </message>
    <message>
        <source>Rlx Files (*.rlx)</source>
        <translation>Файлы RLX (*.rlx)</translation>
    </message>
    <message>
        <source>Save Settings cancelled; nothing was saved.</source>
        <translation>Сохранение настроек отменено; ничего не сохранено.</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>Не удалось сохранить настройки в %1.</translation>
    </message>
    <message>
        <source>The settings could not be saved to
%1

%2</source>
        <translation>Не удалось сохранить настройки в
%1

%2</translation>
    </message>
    <message>
        <source>Settings saved to %1.</source>
        <translation>Настройки сохранены в %1.</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Открыть настройки</translation>
    </message>
    <message>
        <source>Open Settings cancelled; nothing was changed.</source>
        <translation>Открытие настроек отменено; ничего не изменено.</translation>
    </message>
    <message>
        <source>The settings could not be read from %1; nothing was changed.</source>
        <translation>Не удалось прочитать настройки из %1; ничего не изменено.</translation>
    </message>
    <message>
        <source>The settings could not be read from
%1

%2
Nothing was changed.</source>
        <translation>Не удалось прочитать настройки из
%1

%2
Ничего не изменено.</translation>
    </message>
    <message>
        <source>Settings opened from %1; WRITE gives them to the device.</source>
        <translation>Настройки открыты из %1; кнопка ЗАПИСЬ передаст их в устройство.</translation>
    </message>
</context>
<context>
    <name>SettingsJson</name>
    <message>
        <source>unknown field &quot;%1&quot;</source>
        <translation>неизвестное поле «%1»</translation>
    </message>
    <message>
        <source>field &quot;%1&quot; is missing</source>
        <translation>нет поля «%1»</translation>
    </message>
    <message>
        <source>field &quot;%1&quot; must be a string or null</source>
        <translation>поле «%1» должно быть строкой или null</translation>
    </message>
    <message>
        <source>field &quot;%1&quot; must be a whole number from 0 to 255, not %2</source>
        <translation>поле «%1» должно быть целым числом от 0 до 255, а не %2</translation>
    </message>
    <message>
        <source>not a settings file: damaged, incomplete or too large</source>
        <translation>это не файл параметров: он повреждён, неполон или слишком велик</translation>
    </message>
    <message>
        <source>too large for a settings record</source>
        <translation>слишком велик для набора параметров</translation>
    </message>
    <message>
        <source>not JSON: %1 at offset %2</source>
        <translation>это не JSON: %1 в позиции %2</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>это не объект JSON</translation>
    </message>
</context>
<context>
    <name>ToolTips</name>
    <message>
        <source>Serial port the device is plugged into.</source>
        <translation>Последовательный порт, к которому подключено устройство.</translation>
    </message>
    <message>
        <source>Opens the port, identifies the device and reads its settings; pressed again, closes the port.</source>
        <translation>Открывает порт, опознаёт устройство и читает его настройки; повторное нажатие закрывает порт.</translation>
    </message>
    <message>
        <source>Loads settings from a .rlx file into the editors, without talking to the device.</source>
        <translation>Загружает настройки из файла .rlx в поля, не обращаясь к устройству.</translation>
    </message>
    <message>
        <source>Saves the settings shown in the editors to a .rlx file.</source>
        <translation>Сохраняет показанные настройки в файл .rlx.</translation>
    </message>
    <message>
        <source>Reads every setting from the device into the editors.</source>
        <translation>Читает все настройки из устройства.</translation>
    </message>
    <message>
        <source>Writes the settings shown to the device and reads them back.</source>
        <translation>Записывает показанные настройки в устройство и читает их обратно.</translation>
    </message>
    <message>
        <source>Restores the factory settings of the radio module and the controller.</source>
        <translation>Восстанавливает заводские настройки радиомодуля и контроллера.</translation>
    </message>
    <message>
        <source>Shows or hides the reset timers that restart a frozen device.</source>
        <translation>Показывает или скрывает таймеры сброса, перезапускающие зависшее устройство.</translation>
    </message>
    <message>
        <source>Radio channel within the sub-band (module register S200).</source>
        <translation>Радиоканал в пределах поддиапазона (регистр модуля S200).</translation>
    </message>
    <message>
        <source>Transmit power of the radio module, -8 to +14 dBm (register S202).</source>
        <translation>Мощность передатчика радиомодуля, от −8 до +14 дБм (регистр S202).</translation>
    </message>
    <message>
        <source>The device&apos;s own radio address: 1 to 64 on a transmitter, fixed 255 on the others (register S252).</source>
        <translation>Собственный радиоадрес устройства: от 1 до 64 у передатчика, у остальных всегда 255 (регистр S252).</translation>
    </message>
    <message>
        <source>Hardware flow control on the radio module&apos;s serial link (register S216).</source>
        <translation>Аппаратное управление потоком на последовательном канале радиомодуля (регистр S216).</translation>
    </message>
    <message>
        <source>Pause on the serial line after which the radio module sends what it has received (register S214).</source>
        <translation>Пауза на последовательной линии, после которой радиомодуль передаёт принятые данные (регистр S214).</translation>
    </message>
    <message>
        <source>Type of the device&apos;s radio module.</source>
        <translation>Тип радиомодуля устройства.</translation>
    </message>
    <message>
        <source>Firmware version of the radio module.</source>
        <translation>Версия прошивки радиомодуля.</translation>
    </message>
    <message>
        <source>Data bits and parity of the RS-485 line.</source>
        <translation>Биты данных и чётность линии RS-485.</translation>
    </message>
    <message>
        <source>Stop bits of the RS-485 line.</source>
        <translation>Стоповые биты линии RS-485.</translation>
    </message>
    <message>
        <source>Wait after sending on RS-485 before listening, in steps of 100 µs.</source>
        <translation>Пауза после передачи по RS-485 перед приёмом, с шагом 100 мкс.</translation>
    </message>
    <message>
        <source>Wait after receiving on RS-485 before sending, in steps of 100 µs.</source>
        <translation>Пауза после приёма по RS-485 перед передачей, с шагом 100 мкс.</translation>
    </message>
    <message>
        <source>Resets the radio transmitter when it has not sent for this long, in steps of 100 ms.</source>
        <translation>Сбрасывает радиопередатчик, если он не передавал дольше этого времени, с шагом 100 мс.</translation>
    </message>
    <message>
        <source>Restarts the controller by its watchdog when it stops working for this many seconds.</source>
        <translation>Перезапускает контроллер сторожевым таймером, если он не работает указанное число секунд.</translation>
    </message>
    <message>
        <source>Restarts the radio module when it stops answering for this many seconds.</source>
        <translation>Перезапускает радиомодуль, если он не отвечает указанное число секунд.</translation>
    </message>
    <message>
        <source>Seconds between two radio polls of a remote device.</source>
        <translation>Секунды между двумя радиоопросами удалённого устройства.</translation>
    </message>
    <message>
        <source>Polls in a row without an answer after which the radio link counts as lost.</source>
        <translation>Число опросов подряд без ответа, после которого радиосвязь считается потерянной.</translation>
    </message>
    <message>
        <source>Inverts discrete output 1.</source>
        <translation>Инвертирует дискретный выход 1.</translation>
    </message>
    <message>
        <source>Inverts discrete output 2.</source>
        <translation>Инвертирует дискретный выход 2.</translation>
    </message>
    <message>
        <source>How input 1 is averaged.</source>
        <translation>Способ усреднения входа 1.</translation>
    </message>
    <message>
        <source>How input 2 is averaged.</source>
        <translation>Способ усреднения входа 2.</translation>
    </message>
    <message>
        <source>Seconds over which input 1 is averaged.</source>
        <translation>Интервал усреднения входа 1 в секундах.</translation>
    </message>
    <message>
        <source>Seconds over which input 2 is averaged.</source>
        <translation>Интервал усреднения входа 2 в секундах.</translation>
    </message>
    <message>
        <source>Value of input 1 at which its discrete state turns high.</source>
        <translation>Значение входа 1, при котором его дискретное состояние становится высоким.</translation>
    </message>
    <message>
        <source>Value of input 2 at which its discrete state turns high.</source>
        <translation>Значение входа 2, при котором его дискретное состояние становится высоким.</translation>
    </message>
    <message>
        <source>Puts the device into calibration mode; the output then drives 20 mA.</source>
        <translation>Переводит устройство в режим калибровки; выход при этом выдаёт 20 мА.</translation>
    </message>
    <message>
        <source>Leaves calibration mode.</source>
        <translation>Выход из режима калибровки.</translation>
    </message>
    <message>
        <source>Current the output is to drive, in microamperes.</source>
        <translation>Ток, который должен выдать выход, в микроамперах.</translation>
    </message>
    <message>
        <source>Makes the output drive the current set above.</source>
        <translation>Выход выдаёт ток, заданный выше.</translation>
    </message>
    <message>
        <source>Current your meter shows, in microamperes.</source>
        <translation>Ток по показаниям вашего прибора, в микроамперах.</translation>
    </message>
    <message>
        <source>Stores the measured current with the set point in the device.</source>
        <translation>Записывает в устройство измеренный ток вместе с уставкой.</translation>
    </message>
    <message>
        <source>Settings of the device&apos;s 868 MHz radio module.</source>
        <translation>Настройки радиомодуля 868 МГц устройства.</translation>
    </message>
    <message>
        <source>Frequency sub-band of the radio module (register S206).</source>
        <translation>Частотный поддиапазон радиомодуля (регистр S206).</translation>
    </message>
    <message>
        <source>Data rate on the radio (register S201); slower reaches farther.</source>
        <translation>Скорость передачи по радио (регистр S201); чем медленнее, тем дальше.</translation>
    </message>
    <message>
        <source>The device&apos;s RS-485 line.</source>
        <translation>Линия RS-485 устройства.</translation>
    </message>
    <message>
        <source>Baud rate of the device&apos;s RS-485 line.</source>
        <translation>Скорость линии RS-485 устройства.</translation>
    </message>
    <message>
        <source>Timers that restart a part of the device that stopped working.</source>
        <translation>Таймеры, перезапускающие переставшую работать часть устройства.</translation>
    </message>
    <message>
        <source>What the current output does when the radio link is lost.</source>
        <translation>Поведение токового выхода при потере радиосвязи.</translation>
    </message>
    <message>
        <source>What discrete output 1 does when the radio link is lost.</source>
        <translation>Поведение дискретного выхода 1 при потере радиосвязи.</translation>
    </message>
    <message>
        <source>What discrete output 2 does when the radio link is lost.</source>
        <translation>Поведение дискретного выхода 2 при потере радиосвязи.</translation>
    </message>
    <message>
        <source>What the discrete output does when the radio link is lost.</source>
        <translation>Поведение дискретного выхода при потере радиосвязи.</translation>
    </message>
    <message>
        <source>Remote devices the device polls over the radio.</source>
        <translation>Удалённые устройства, которые устройство опрашивает по радио.</translation>
    </message>
    <message>
        <source>How the device polls remote devices over the radio.</source>
        <translation>Как устройство опрашивает удалённые устройства по радио.</translation>
    </message>
    <message>
        <source>How the device polls its remote device, and what its outputs do when the link is lost.</source>
        <translation>Как устройство опрашивает своё удалённое устройство и что делают его выходы при потере связи.</translation>
    </message>
    <message>
        <source>Live values of the device&apos;s inputs and how each is processed.</source>
        <translation>Текущие значения входов устройства и их обработка.</translation>
    </message>
    <message>
        <source>Calibrates the 4-20 mA output against your meter.</source>
        <translation>Калибровка выхода 4–20 мА по вашему измерительному прибору.</translation>
    </message>
    <message>
        <source>Polls remote devices again and again to test the radio link.</source>
        <translation>Многократно опрашивает удалённые устройства для проверки радиосвязи.</translation>
    </message>
    <message>
        <source>One input: its averaging, its threshold and its live value.</source>
        <translation>Один вход: усреднение, порог и текущее значение.</translation>
    </message>
    <message>
        <source>Port of the device and the settings files.</source>
        <translation>Порт устройства и файлы настроек.</translation>
    </message>
    <message>
        <source>Reads, writes or restores the device&apos;s settings.</source>
        <translation>Чтение, запись и восстановление настроек устройства.</translation>
    </message>
    <message>
        <source>Frequency sub-band and channel of the radio.</source>
        <translation>Частотный поддиапазон и радиоканал.</translation>
    </message>
    <message>
        <source>Radio data rate and transmit power.</source>
        <translation>Скорость радиообмена и мощность передатчика.</translation>
    </message>
    <message>
        <source>Address, serial link and version of the radio module.</source>
        <translation>Адрес, последовательный канал и версия радиомодуля.</translation>
    </message>
    <message>
        <source>Relative radio range at the chosen data rate.</source>
        <translation>Относительная дальность радиосвязи при выбранной скорости.</translation>
    </message>
    <message>
        <source>Transmit power of the radio module.</source>
        <translation>Мощность передатчика радиомодуля.</translation>
    </message>
    <message>
        <source>Format and turn-around delays of the RS-485 line.</source>
        <translation>Формат кадра и задержки переключения линии RS-485.</translation>
    </message>
    <message>
        <source>A receiver polls the one remote device at address 1.</source>
        <translation>Приёмник опрашивает единственное удалённое устройство с адресом 1.</translation>
    </message>
    <message>
        <source>What the outputs do when the radio link is lost.</source>
        <translation>Поведение выходов при потере радиосвязи.</translation>
    </message>
    <message>
        <source>Sub-band %1; only g2 may be used.</source>
        <translation>Поддиапазон %1; разрешён только g2.</translation>
    </message>
    <message>
        <source>Radio data rate %1.</source>
        <translation>Скорость радиообмена %1.</translation>
    </message>
    <message>
        <source>RS-485 line at %1.</source>
        <translation>Линия RS-485 на скорости %1.</translation>
    </message>
    <message>
        <source>On a lost radio link: %1.</source>
        <translation>При потере радиосвязи: %1.</translation>
    </message>
    <message>
        <source>Settings of a remote device over the radio (not available).</source>
        <translation>Настройка удалённого устройства по радио (недоступна).</translation>
    </message>
    <message>
        <source>The device polls remote address %1.</source>
        <translation>Устройство опрашивает удалённый адрес %1.</translation>
    </message>
    <message>
        <source>Progress of the requests queued for the device.</source>
        <translation>Ход выполнения запросов к устройству.</translation>
    </message>
</context>
<context>
    <name>TrafficLog</name>
    <message>
        <source>Traffic log</source>
        <translation>Журнал обмена</translation>
    </message>
    <message>
        <source>What went over the serial line to and from the device, newest at the bottom.</source>
        <translation>Что передавалось по последовательной линии к устройству и от него; новые записи внизу.</translation>
    </message>
    <message>
        <source>Requests (&gt;&gt;), replies (&lt;&lt;), time-outs, repeats and give-ups (!!), with the time each happened.</source>
        <translation>Запросы (&gt;&gt;), ответы (&lt;&lt;), тайм-ауты, повторы и отказы (!!) с временем каждого события.</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Сохранить...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Empties the log.</source>
        <translation>Очищает журнал.</translation>
    </message>
    <message>
        <source>Lines kept; beyond %1 the oldest are dropped.</source>
        <translation>Хранимые строки; сверх %1 самые старые удаляются.</translation>
    </message>
    <message>
        <source>Opens the log of every request and reply on the serial line (Ctrl+L).</source>
        <translation>Открывает журнал всех запросов и ответов на последовательной линии (Ctrl+L).</translation>
    </message>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation>
            <numerusform>%n строка</numerusform>
            <numerusform>%n строки</numerusform>
            <numerusform>%n строк</numerusform>
        </translation>
    </message>
    <message>
        <source>Save traffic log</source>
        <translation>Сохранение журнала обмена</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Текст (*.txt)</translation>
    </message>
    <message>
        <source>The log could not be saved to
%1

%2</source>
        <translation>Не удалось сохранить журнал в
%1

%2</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Writes the lines of the log to a text file, under a header naming the program, the port and the device.</source>
        <translation>Записывает строки журнала в текстовый файл под заголовком с названием программы, порта и устройства.</translation>
    </message>
    <message>
        <source>Save for support...</source>
        <translation>Сохранить для поддержки...</translation>
    </message>
    <message>
        <source>Writes one text file to send to support: the header, the log, the settings shown as JSON and the last outcome of the status line.</source>
        <translation>Записывает один текстовый файл для отправки в поддержку: заголовок, журнал, показанные параметры в виде JSON и последний результат из строки состояния.</translation>
    </message>
    <message>
        <source>not identified</source>
        <translation>не идентифицировано</translation>
    </message>
    <message>
        <source>%1, traffic log</source>
        <translation>%1, журнал обмена</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Сохранено: %1</translation>
    </message>
    <message>
        <source>Port: %1</source>
        <translation>Порт: %1</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>не подключено</translation>
    </message>
    <message>
        <source>Hardware: %1</source>
        <translation>Аппаратная версия: %1</translation>
    </message>
    <message>
        <source>Firmware: %1</source>
        <translation>Прошивка: %1</translation>
    </message>
    <message>
        <source>Lines: %1 (at most %2 are kept)</source>
        <translation>Строк: %1 (хранится не более %2)</translation>
    </message>
    <message>
        <source>Save traffic log for support</source>
        <translation>Сохранить журнал обмена для поддержки</translation>
    </message>
</context>
<context>
    <name>VirtualPorts</name>
    <message>
        <source>virtual</source>
        <translation>виртуальный</translation>
    </message>
</context>
<context>
    <name>W_Adres</name>
    <message>
        <source>Takes this remote address into the stability check.</source>
        <translation>Включает этот удалённый адрес в проверку стабильности.</translation>
    </message>
    <message>
        <source>Remote address polled in this row.</source>
        <translation>Удалённый адрес, опрашиваемый в этой строке.</translation>
    </message>
    <message>
        <source>Poll the address of row %1</source>
        <translation>Опрашивать адрес строки %1</translation>
    </message>
    <message>
        <source>Address of row %1</source>
        <translation>Адрес строки %1</translation>
    </message>
</context>
<context>
    <name>W_ComPort</name>
    <message>
        <source>Configure Remote Device</source>
        <translation>Настроить удалённое устройство</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Подключить</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Открыть настройки</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Сохранить настройки</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Отключить</translation>
    </message>
</context>
<context>
    <name>W_FreezProtection</name>
    <message>
        <source>WDT Reset</source>
        <translation>Сторожевой таймер</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>с</translation>
    </message>
    <message>
        <source>Radio Module Reset</source>
        <translation>Сброс радиомодуля</translation>
    </message>
    <message>
        <source>x100 ms</source>
        <translation>×100 мс</translation>
    </message>
    <message>
        <source>Radio Transmit Reset</source>
        <translation>Сброс радиопередатчика</translation>
    </message>
</context>
<context>
    <name>W_Key</name>
    <message>
        <source>WRITE</source>
        <translation>ЗАПИСЬ</translation>
    </message>
    <message>
        <source>DEFAULT</source>
        <translation>ПО УМОЛЧАНИЮ</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>ЧТЕНИЕ</translation>
    </message>
    <message>
        <source>Freeze Protection</source>
        <translation>Защита от зависания</translation>
    </message>
</context>
<context>
    <name>W_Power</name>
    <message>
        <source>Power</source>
        <translation>Мощность</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Мин</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Макс</translation>
    </message>
</context>
<context>
    <name>W_Progress</name>
    <message>
        <source>Distance %</source>
        <translation>Дальность %</translation>
    </message>
</context>
<context>
    <name>W_QWidget</name>
    <message>
        <source>Radio Poll and Out Settings</source>
        <translation>Настройки радиоопроса и выходов</translation>
    </message>
    <message>
        <source>Radio Poll Settings</source>
        <translation>Настройки радиоопроса</translation>
    </message>
    <message>
        <source>Freeze Protection</source>
        <translation>Защита от зависания</translation>
    </message>
    <message>
        <source>Out D2 Discret</source>
        <translation>Дискретный выход Д2</translation>
    </message>
    <message>
        <source>Out D Discret</source>
        <translation>Дискретный выход Д</translation>
    </message>
    <message>
        <source>Out 4-20</source>
        <translation>Выход 4–20 мА</translation>
    </message>
    <message>
        <source>Out D1 Discret</source>
        <translation>Дискретный выход Д1</translation>
    </message>
    <message>
        <source>Radio Module</source>
        <translation>Радиомодуль</translation>
    </message>
    <message>
        <source>Radio Data Rate</source>
        <translation>Скорость радиообмена</translation>
    </message>
    <message>
        <source>RS-485</source>
        <translation>RS-485</translation>
    </message>
    <message>
        <source>Serial Data Rate</source>
        <translation>Скорость порта</translation>
    </message>
    <message>
        <source>Sub-band</source>
        <translation>Поддиапазон</translation>
    </message>
    <message>
        <source>Remote Device Addresses</source>
        <translation>Адреса удалённых устройств</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Калибровка</translation>
    </message>
    <message>
        <source>Measuremets</source>
        <translation>Измерения</translation>
    </message>
    <message>
        <source>Radio Stability Check</source>
        <translation>Проверка стабильности радиосвязи</translation>
    </message>
</context>
<context>
    <name>W_RadioCommonLeft</name>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>HardWare</source>
        <translation>Аппаратное</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation>Управление потоком</translation>
    </message>
    <message>
        <source>Serial Timeout</source>
        <translation>Тайм-аут порта</translation>
    </message>
    <message>
        <source>Radio module</source>
        <translation>Радиомодуль</translation>
    </message>
    <message>
        <source>FirmWare</source>
        <translation>Прошивка</translation>
    </message>
</context>
<context>
    <name>W_RadioRate</name>
    <message>
        <source>4800 bps</source>
        <translation>4800 бит/с</translation>
    </message>
    <message>
        <source>9600 bps</source>
        <translation>9600 бит/с</translation>
    </message>
    <message>
        <source>19200 bps</source>
        <translation>19200 бит/с</translation>
    </message>
    <message>
        <source>38400 bps</source>
        <translation>38400 бит/с</translation>
    </message>
    <message>
        <source>115200 bps</source>
        <translation>115200 бит/с</translation>
    </message>
</context>
<context>
    <name>W_Rs485Common</name>
    <message>
        <source>8-bit data, no parity</source>
        <translation>8 бит данных, без чётности</translation>
    </message>
    <message>
        <source>8-bit data, even parity</source>
        <translation>8 бит данных, чётный</translation>
    </message>
    <message>
        <source>8-bit data, odd parity</source>
        <translation>8 бит данных, нечётный</translation>
    </message>
    <message>
        <source>9-bit data, no parity</source>
        <translation>9 бит данных, без чётности</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Чётность</translation>
    </message>
    <message>
        <source>Stop bit</source>
        <translation>Стоповые биты</translation>
    </message>
    <message>
        <source>Delay Tx-Rx</source>
        <translation>Задержка Tx-Rx</translation>
    </message>
    <message>
        <source>x100 µs</source>
        <translation>×100 мкс</translation>
    </message>
    <message>
        <source>Delay Rx-Tx</source>
        <translation>Задержка Rx-Tx</translation>
    </message>
</context>
<context>
    <name>W_SerialRate</name>
    <message>
        <source>1200 bps</source>
        <translation>1200 бит/с</translation>
    </message>
    <message>
        <source>2400 bps</source>
        <translation>2400 бит/с</translation>
    </message>
    <message>
        <source>4800 bps</source>
        <translation>4800 бит/с</translation>
    </message>
    <message>
        <source>9600 bps</source>
        <translation>9600 бит/с</translation>
    </message>
    <message>
        <source>19200 bps</source>
        <translation>19200 бит/с</translation>
    </message>
    <message>
        <source>38400 bps</source>
        <translation>38400 бит/с</translation>
    </message>
    <message>
        <source>57600 bps</source>
        <translation>57600 бит/с</translation>
    </message>
    <message>
        <source>115200 bps</source>
        <translation>115200 бит/с</translation>
    </message>
</context>
<context>
    <name>W_SubBand</name>
    <message>
        <source>%1 MHz</source>
        <translation>%1 МГц</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
</context>
<context>
    <name>W_Test</name>
    <message>
        <source>TEST</source>
        <translation>ТЕСТ</translation>
    </message>
    <message>
        <source>CLEAN TEST</source>
        <translation>СБРОС ТЕСТА</translation>
    </message>
    <message>
        <source>Polls the ticked remote addresses in turn until pressed again (STOP).</source>
        <translation>Поочерёдно опрашивает отмеченные удалённые адреса до повторного нажатия (СТОП).</translation>
    </message>
    <message>
        <source>Clears the poll history and the counts of every address.</source>
        <translation>Очищает историю опроса и счётчики всех адресов.</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>СТОП</translation>
    </message>
    <message>
        <source>Address %1: no polls since the last CLEAN TEST.</source>
        <translation>Адрес %1: опросов после последнего СБРОСА ТЕСТА не было.</translation>
    </message>
    <message>
        <source>Address %1 since the last CLEAN TEST: %2 polls sent, %3 answered (%4); at most %5 in a row unanswered.</source>
        <translation>Адрес %1 после последнего СБРОСА ТЕСТА: отправлено опросов %2, получено ответов %3 (%4); подряд без ответа не более %5.</translation>
    </message>
    <message>
        <source>Stability check stopped: no polls since the last CLEAN TEST.</source>
        <translation>Проверка стабильности остановлена: опросов после последнего СБРОСА ТЕСТА не было.</translation>
    </message>
    <message>
        <source>address %1 answered %2 of %3 (%4)</source>
        <translation>адрес %1 ответил на %2 из %3 (%4)</translation>
    </message>
    <message>
        <source>Stability check stopped: </source>
        <translation>Проверка стабильности остановлена: </translation>
    </message>
</context>
<context>
    <name>w_NumOfDown</name>
    <message>
        <source>Output inversion</source>
        <translation>Инверсия выхода</translation>
    </message>
    <message>
        <source>The device will stop responding to the RS-485</source>
        <translation>Устройство перестанет отвечать по RS-485</translation>
    </message>
    <message>
        <source>Freeze the output current if there is no radiolink</source>
        <translation>Сохранять выходной ток при отсутствии радиосвязи</translation>
    </message>
    <message>
        <source>The output current is zero if there is no radiolink</source>
        <translation>Нулевой выходной ток при отсутствии радиосвязи</translation>
    </message>
    <message>
        <source>Low level if there is no radiolink</source>
        <translation>Низкий уровень при отсутствии радиосвязи</translation>
    </message>
    <message>
        <source>High level if there is no radiolink</source>
        <translation>Высокий уровень при отсутствии радиосвязи</translation>
    </message>
    <message>
        <source>The number of radio non-responses in a row after</source>
        <translation>Число неответов по радио подряд, после которого</translation>
    </message>
    <message>
        <source>which the device detects the absence of radio communication.</source>
        <translation>устройство фиксирует отсутствие радиосвязи.</translation>
    </message>
</context>
</TS>
