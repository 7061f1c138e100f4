// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The window's own texts. Line breaks inside a text are CR LF.
namespace texts {

inline constexpr std::string_view kShortTitle = "Числова редица";
// Short enough to show whole in the frame Qt draws itself on Wayland: it centres the
// caption over the window's whole width, at 14 pixels, and cuts it off at its buttons.
inline constexpr std::string_view kCaption = "www.example.org  Числова редица";
inline constexpr std::string_view kTitle = "Числова редица";
inline constexpr std::string_view kFrameCaption = "Промяна цифрите чрез On-Click";
inline constexpr std::string_view kScoreSeparator = ":";
inline constexpr std::string_view kCheckButton = "Провери";
inline constexpr std::string_view kNewRowButton = "Чисти";
inline constexpr std::string_view kCounterStart = "0";
inline constexpr std::string_view kBoxStart = "0";

inline constexpr std::string_view kHelpText =
    "Под числова редица обикновено се разбира изброяването на краен или безкраен брой "
    "нейни членове в определен ред.\r\n"
    "Отделните числа в редицата се наричат нейни членове.\r\n"
    "Типични задачи са да се намери следващият или липсващ член, границата на редицата "
    "или правилото, зададено с рекурентна формула.\r\n"
    "Задача: да се създаде проект, който свързва математиката с информатиката.\r\n"
    "Тема на проекта: „Числова редица“.\r\n"
    "Автоматично да се извеждат 10 елемента на числова редица, а от потребителя да се изисква "
    "да посочи следващите 4 елемента.\r\n"
    "Програмата показва последователни елементи на редицата, всеки път с различно начално "
    "число: 10 дадени и 4 търсени. Всеки от тези 14 елемента е отделен обект, който съдържа "
    "едноцифрено естествено число. "
    "Цифрата се въвежда чрез събитие On-Click: всяко щракване я увеличава с едно, от 0 до 9.\r\n"
    "\r\n"
    "Примери за подобна числова редица:\r\n"
    "2,-1, 4,-3,6,-5...\r\n"
    "31129231.....\r\n";

// Kept hidden under the help text.
inline constexpr std::string_view kSaying = "Никой не оценява колко трудно е да си първият,\r\n"
                                            "който е направил нещо както трябва –\r\n"
                                            "другите просто вървят след него.";

// What a screen reader says. A digit box is named by its place in the row and
// the digit it shows: %1 is the place, counted from 1, and %2 the digit, or
// kHiddenDigitSpoken for the hidden mark.
inline constexpr std::string_view kDigitBoxSpoken = "Цифра %1: %2";
inline constexpr std::string_view kHiddenDigitSpoken = "неизвестна";
// The action a screen reader offers on a digit box, where the platform asks the
// program to name it.
inline constexpr std::string_view kDigitBoxPressSpoken = "Натисни";
inline constexpr std::string_view kScoreSeparatorSpoken = "срещу";
inline constexpr std::string_view kCorrectCounterSpoken = "Верни отговори";
inline constexpr std::string_view kWrongCounterSpoken = "Грешни отговори";
inline constexpr std::string_view kCheckButtonDescription = "Проверява целия ред";
inline constexpr std::string_view kNewRowButtonDescription = "Дава нов ред";
inline constexpr std::string_view kHelpTextSpoken = "Помощ";
// Told after a click, whatever has the focus: a counter that a check raised (%1
// its spoken name, %2 its number), and that "Чисти" dealt a new row.
inline constexpr std::string_view kCounterSpoken = "%1: %2";
inline constexpr std::string_view kNewRowSpoken = "Нов ред";

// Shown when a handler stops on a runtime error; the program carries on with
// whatever the handler had written before it stopped.
inline constexpr std::string_view kErrorOverflow =
    "Препълване: числото е твърде голямо, за да бъде обработено.";
inline constexpr std::string_view kErrorNoSuchControl = "Няма такова поле в прозореца.";
inline constexpr std::string_view kErrorUnexpected = "Неочаквана грешка в програмата.";
inline constexpr std::string_view kErrorCarryOn =
    "Действието беше прекъснато. Нищо не се запазва: броячите и цифрите остават такива, "
    "каквито ги е оставило прекъснатото действие. Програмата продължава да работи.";

} // namespace texts
