import assert from 'node:assert/strict';
import { test } from 'node:test';
import { pageModule } from './built-page.mjs';

const names = await pageModule('room-name.js');
const { parseRoomList, seatsText } = await pageModule('room-list.js');

test('a room name is 1 to 24 letters, digits, - or _, and says so when refused', () => {
    const cases = [
        ['main', true], ['Jazz-Club_2', true], ['a', true], ['-', true], ['x'.repeat(24), true],
        ['', false], ['x'.repeat(25), false], ['ja zz', false], ['jäzz', false], ['a/b', false],
        ['a.b', false], ['jazz\n', false], [' jazz', false], [null, false], [42, false],
    ];
    for (const [name, valid] of cases)
        assert.equal(names.isRoomName(name), valid, JSON.stringify(name));
    assert.equal(names.roomNameRefusal(), 'A room name is 1 to 24 letters, digits, - or _.');
});

test('a page finds its room in its address; any other page is the main room\'s', () => {
    const cases = [
        ['/r/jazz/', 'jazz'],
        ['/r/Jazz-Club_2/', 'Jazz-Club_2'],
        ['/r/%6Aazz/', 'jazz'],
        ['/piano/r/jazz/', 'jazz'],
        ['/', 'main'],
        ['/room.html', 'main'],
        ['/r/ja%20zz/', null],
        ['/r/%E0%A4%A/', null],
        ['/r//', null],
    ];
    for (const [path, room] of cases)
        assert.equal(names.roomFromPath(path), room, path);
    assert.equal(names.roomPath('jazz'), '/r/jazz/');
});

test('the lobby shows the rooms the relay lists, and nothing it could not have written', () => {
    const json = JSON.parse('[{"name":"jazz","players":3,"seats":8},' +
        '{"name":"Main","players":8,"seats":8,"extra":1},' +
        '{"name":"<img src=x>","players":1,"seats":8},{"name":"x","players":-1,"seats":8},' +
        '{"name":"y","players":1.5,"seats":8},{"name":"z","players":"1","seats":8},' +
        '{"name":"w","players":0,"seats":0},null,"jazz",{"players":1,"seats":8}]');
    assert.deepEqual(parseRoomList(json), [
        { name: 'jazz', players: 3, seats: 8 },
        { name: 'Main', players: 8, seats: 8 },
    ]);
    assert.deepEqual(parseRoomList([]), []);
    for (const notAList of [null, {}, 'jazz', 3])
        assert.equal(parseRoomList(notAList), null, JSON.stringify(notAList));
    assert.equal(parseRoomList(Array(5000).fill({ name: 'a', players: 1, seats: 8 })).length, 1000);
    assert.equal(seatsText({ name: 'jazz', players: 3, seats: 8 }), '3 of 8 seats taken');
});
