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
        <source>; not read, as the device's replies for them were damaged or incomplete: %1</source>
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
        <source>The device's own radio address: 1 to 64 on a transmitter, fixed 255 on the others (register S252).</source>
        <translation>Собственный радиоадрес устройства: от 1 до 64 у передатчика, у остальных всегда 255 (регистр S252).</translation>
    </message>
    <message>
        <source>Hardware flow control on the radio module's serial link (register S216).</source>
        <translation>Аппаратное управление потоком на последовательном канале радиомодуля (регистр S216).</translation>
    </message>
    <message>
        <source>Pause on the serial line after which the radio module sends what it has received (register S214).</source>
        <translation>Пауза на последовательной линии, после которой радиомодуль передаёт принятые данные (регистр S214).</translation>
    </message>
    <message>
        <source>Type of the device's radio module.</source>
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
        <source>Settings of the device's 868 MHz radio module.</source>
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
        <source>The device's RS-485 line.</source>
        <translation>Линия RS-485 устройства.</translation>
    </message>
    <message>
        <source>Baud rate of the device's RS-485 line.</source>
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
        <source>Live values of the device's inputs and how each is processed.</source>
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
        <source>Reads, writes or restores the device's settings.</source>
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
        <source>Writes the lines of the log to a text file.</source>
        <translation>Записывает строки журнала в текстовый файл.</translation>
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
            <numerusform>%n строка</numerusform><numerusform>%n строки</numerusform><numerusform>%n строк</numerusform></translation>
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
        <source>g1 868-868.6 MHz</source>
        <translation>g1 868–868,6 МГц</translation>
    </message>
    <message>
        <source>g2 868.7-869.2 MHz</source>
        <translation>g2 868,7–869,2 МГц</translation>
    </message>
    <message>
        <source>g3 869.4-869.65 MHz</source>
        <translation>g3 869,4–869,65 МГц</translation>
    </message>
    <message>
        <source>g4 869.7-870 MHz</source>
        <translation>g4 869,7–870 МГц</translation>
    </message>
    <message>
        <source>%1 MHz</source>
        <translation>%1 МГц</translation>
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
