#!/usr/bin/env python3
"""The zephra.printer collection through ansible-playbook, against simulated printers.

ZEPHRA_CLI_EXE and ZEPHRA_PRINTER_SIM name the programs (default: build/native). Run one class
with its name as the argument: CollectionTest or SanityTest.
"""
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
COLLECTIONS = os.path.join(REPO, 'ansible')
COLLECTION = os.path.join(COLLECTIONS, 'ansible_collections', 'zephra', 'printer')
# Absolute, since the plays run in a folder of their own.
CLI = os.path.abspath(os.environ.get('ZEPHRA_CLI_EXE') or
                      os.path.join(REPO, 'build/native/cli/zephra-cli'))
SIM = os.path.abspath(os.environ.get('ZEPHRA_PRINTER_SIM') or
                      os.path.join(REPO, 'build/native/sim/printer-sim'))

SSID = 'Office-Net'
KEY = 'office-passphrase-7'
# Hang-catcher for one ansible run, which takes a few seconds.
RUN_LIMIT = 300
# How long a printer that joins its network about a second after its save is waited for: ten
# times that and more, so only a hang runs out.
JOIN_LIMIT = 20
# The same for one that is expected never to join, so the wait runs out soon.
NEVER_JOINS_LIMIT = 3
# A printer whose address is set by hand, so a profile's address is written.
FRESH = ('--set', 'mode=0', '--set', 'dhcp=0')
# Where this run's simulated printers listen once they join: loopback, and apart from any other
# test's running at the same time (the pid whole in the middle two bytes, as the C++ tests do).
NETWORK_ADDRESS = '127.%d.%d.%%d' % (1 + os.getpid() // 256 % 250, os.getpid() % 256)
RECAP = re.compile(r'^(\S+)\s+:\s+ok=(\d+)\s+changed=(\d+)\s+unreachable=\d+\s+failed=(\d+)', re.M)


def tool(name, package='ansible-core'):
    path = shutil.which(name)
    if path is None:
        raise AssertionError('%s is not installed (Debian: apt-get install %s)' % (name, package))
    return path


def environment(tmp):
    """Ansible with the repository's collection, writing only under tmp."""
    env = dict(os.environ)
    env.update(ANSIBLE_COLLECTIONS_PATH=COLLECTIONS, ANSIBLE_COLLECTIONS_SCAN_SYS_PATH='0',
               HOME=os.path.join(tmp, 'home'), ANSIBLE_HOME=os.path.join(tmp, 'ansible'),
               ANSIBLE_LOCAL_TEMP=os.path.join(tmp, 'local'),
               ANSIBLE_REMOTE_TEMP=os.path.join(tmp, 'remote'), ANSIBLE_NOCOLOR='1',
               LC_ALL='C.UTF-8', PATH=os.path.dirname(os.path.abspath(CLI)) + os.pathsep +
               env.get('PATH', ''))
    os.makedirs(env['HOME'], exist_ok=True)
    return env


class Printer:
    """A printer-sim on a pty of its own, with the log of what it was sent."""

    def __init__(self, cleanup, tmp, name, *options, model='5'):
        self.log = os.path.join(tmp, name + '.log')
        self.process = subprocess.Popen([SIM, '--model', model, '--log', self.log] + list(options),
                                        stdout=subprocess.PIPE, text=True)
        cleanup(self.stop)
        self.port = self.process.stdout.readline().strip()
        if not self.port.startswith('/dev/'):
            raise AssertionError('printer-sim %s gave no port' % ' '.join(options))

    def stop(self):
        self.process.terminate()
        self.process.wait(RUN_LIMIT)
        self.process.stdout.close()

    def read(self):
        out = subprocess.run([CLI, 'read', '--port', self.port, '--json'], stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, timeout=RUN_LIMIT, check=True)
        return json.loads(out.stdout)


# One USB printer of an accepted maker, as the kernel and udev give it, for umockdev-run; the
# native ports tests list it too.
USB_PRINTER = os.path.join(REPO, 'tests', 'support', 'accepted_usb_printer.umockdev')


def testbed_host(tmp, name, printer, usb):
    """A zephra-cli that sees printer alone, as the native ports tests fake a host's devices:
    the system's from an umockdev testbed (USB_PRINTER or none), the USB printers' nodes in the
    folder ZEPHRA_USB_NODE_DIR names, so that no port of this machine is asked. The program,
    and the port to give for a serial printer: a link outside /dev, which umockdev leaves to
    the system."""
    home = os.path.join(tmp, name)
    os.makedirs(home)
    devices = os.path.join(home, 'devices.umockdev')
    with open(devices, 'w', encoding='utf-8') as f:
        if usb:
            with open(USB_PRINTER, encoding='utf-8') as printer_devices:
                f.write(printer_devices.read())
    port = os.path.join(home, 'lp0' if usb else 'tty-sim')
    os.symlink(printer.port, port)
    program = os.path.join(home, 'zephra-cli')
    with open(program, 'w', encoding='utf-8') as f:
        f.write('#!/bin/sh\nZEPHRA_USB_NODE_DIR=%s exec %s -d %s -- %s "$@"\n' % tuple(
            shlex.quote(arg) for arg in (home, tool('umockdev-run', 'umockdev'), devices, CLI)))
    os.chmod(program, 0o755)
    return program, port


def counted_cli(tmp, name):
    """A zephra-cli that adds a line to a log of its own for each time it is run; the program and
    the log."""
    program, log = os.path.join(tmp, name), os.path.join(tmp, name + '.runs')
    with open(program, 'w', encoding='utf-8') as f:
        f.write('#!/bin/sh\necho run >>%s\nexec %s "$@"\n' % (shlex.quote(log), shlex.quote(CLI)))
    os.chmod(program, 0o755)
    return program, log


def sent_during(printers, action):
    """What action returned, and the bytes each printer was sent while it ran."""
    starts = [os.path.getsize(printer.log) for printer in printers]
    result = action()
    sent = []
    for printer, start in zip(printers, starts):
        with open(printer.log, 'rb') as f:
            f.seek(start)
            sent.append(f.read())
    return result, sent


class CollectionTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.playbook = tool('ansible-playbook')
        cls.tmpdir = tempfile.TemporaryDirectory(prefix='zephra-ansible-')
        cls.tmp = cls.tmpdir.name
        cls.env = environment(cls.tmp)
        # The office profile: a printer's own, read with its (empty) key, with the office's
        # network and security.
        source = Printer(cls.addClassCleanup, cls.tmp, 'source', *FRESH)
        cls.profile = os.path.join(cls.tmp, 'office.json')
        subprocess.run([CLI, 'read', '--yes', '--port', source.port, '--out', cls.profile],
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=RUN_LIMIT,
                       check=True)
        with open(cls.profile, encoding='utf-8') as f:
            document = json.load(f)
        document['settings'].update(ssid=SSID, security='WPA')
        with open(cls.profile, 'w', encoding='utf-8') as f:
            json.dump(document, f)
        # A Wi-Fi module's, whose save in Infrastructure mode writes no mDNS.
        cls.module_profile = os.path.join(cls.tmp, 'module.json')
        with open(cls.module_profile, 'w', encoding='utf-8') as f:
            json.dump({'format': 'zephra-printer-settings', 'version': 1, 'family': 'module',
                       'settings': {'dhcp': False, 'mdns': True, 'mdns_host_name': 'Till7'}}, f)

    @classmethod
    def tearDownClass(cls):
        cls.doClassCleanups()
        cls.tmpdir.cleanup()

    def printer(self, name, *options):
        return Printer(self.addCleanup, self.tmp, name, *FRESH + options)

    def wifi_module(self, name):
        return Printer(self.addCleanup, self.tmp, name, '--set', 'configured=1', model='4')

    def play(self, playbook, hosts, *options):
        """ansible-playbook on an inventory of local hosts, each host a dict of its vars."""
        inventory = os.path.join(self.tmp, 'inventory.json')
        shared = dict(ansible_connection='local', ansible_python_interpreter=sys.executable,
                      profile=self.profile, wlan_key=KEY, ssid=SSID, zephra_cli=CLI)
        with open(inventory, 'w', encoding='utf-8') as f:
            json.dump({'printers': {'hosts': hosts, 'vars': shared}}, f)
        run = subprocess.run([self.playbook, '-i', inventory, os.path.join(HERE, playbook)] +
                             list(options), env=self.env, cwd=self.tmp, capture_output=True,
                             text=True, timeout=RUN_LIMIT)
        self.assertNotIn(KEY, run.stdout + run.stderr)
        return run

    def recap(self, run):
        return {host: dict(ok=int(ok), changed=int(changed), failed=int(failed))
                for host, ok, changed, failed in RECAP.findall(run.stdout)}

    @staticmethod
    def output(run):
        return "\n--- the playbook's output ---\n" + run.stdout + run.stderr

    def assertPlay(self, run, status, recap):
        """The play ended with this status and recap; when not, the failure shows its output."""
        self.assertEqual(run.returncode, status, self.output(run))
        self.assertEqual(self.recap(run), recap, self.output(run))

    def result(self, run, state, host):
        """The host's task result as ansible-playbook -v shows it: state is ok, changed or
        fatal."""
        line = (r'^fatal: \[%s\]: FAILED! => (.*)$' if state == 'fatal' else
                r'^' + state + r': \[%s\] => (.*)$') % re.escape(host)
        found = re.search(line, run.stdout, re.M)
        self.assertIsNotNone(found, 'no %s result for %s%s' % (state, host, self.output(run)))
        return json.loads(found.group(1))

    def test_apply_each_printer_with_its_address_then_nothing_to_do(self):
        a, b, m = self.printer('a'), self.printer('b'), self.wifi_module('m')
        hosts = {'printer-a': dict(port=a.port, ip_address='10.20.0.11'),
                 'printer-b': dict(port=b.port, ip_address='10.20.0.12'),
                 'printer-m': dict(port=m.port, ip_address='10.20.0.13',
                                   profile=self.module_profile)}
        run = self.play('apply.yml', hosts)
        self.assertPlay(run, 0, {host: dict(ok=1, changed=1, failed=0) for host in hosts})
        for printer, host in ((a, 'printer-a'), (b, 'printer-b')):
            settings = printer.read()['settings']
            self.assertEqual((settings['ssid'], settings['security'], settings['ip_address']),
                             (SSID, 'WPA', hosts[host]['ip_address']))

        # The module's mDNS settings are skipped, and stay so: no change, and said every run.
        run, sent = sent_during([a, b, m], lambda: self.play('apply.yml', hosts, '-v'))
        print('\n--- the same playbook again ---\n' + run.stdout)
        self.assertPlay(run, 0, {host: dict(ok=1, changed=0, failed=0) for host in hosts})
        # Read, and not one request more.
        self.assertEqual(sent, sent_during([a, b, m], lambda: (a.read(), b.read(), m.read()))[1])
        results = {host: json.loads(result) for host, result in
                   re.findall(r'^ok: \[(\S+)\] => (.*)$', run.stdout, re.M)}
        infrastructure = 'not written in Infrastructure mode'
        self.assertEqual(results['printer-m']['skipped_settings'],
                         [dict(setting='mdns', reason=infrastructure),
                          dict(setting='mdns_host_name', reason=infrastructure)])
        self.assertEqual(results['printer-m']['changes'], [dict(setting='key', key='unchanged')])
        self.assertEqual(results['printer-a']['skipped_settings'], [])
        self.assertIn('Skipped, left as the printer has them: mdns (%s), mdns_host_name (%s)' % (
            infrastructure, infrastructure), ' '.join(run.stderr.split()))

    def test_check_diff_shows_the_change_and_writes_nothing(self):
        c, m = self.printer('c'), self.wifi_module('m')
        hosts = {'printer-c': dict(port=c.port, ip_address='10.20.0.13'),
                 'printer-m': dict(port=m.port, ip_address='10.20.0.14',
                                   profile=self.module_profile)}
        run, sent = sent_during([c, m], lambda: self.play('apply.yml', hosts, '--check',
                                                          '--diff'))
        self.assertPlay(run, 0, {host: dict(ok=1, changed=1, failed=0) for host in hosts})
        self.assertIn('-    "ssid": "Printer-AP"', run.stdout)
        self.assertIn('+    "ssid": "%s"' % SSID, run.stdout)
        self.assertIn('"key": "(masked)"', run.stdout)
        # Skipped settings are no part of the diff.
        self.assertIn('+    "ip_address": "10.20.0.14"', run.stdout)
        self.assertNotIn('mdns', run.stdout)
        self.assertEqual(sent, sent_during([c, m], lambda: (c.read(), m.read()))[1])

        # A host's printers at once: each one's diff under its port, and with verify on, no
        # wait for a printer that nothing was written to (their addresses on loopback, so that a
        # check that did wait would reach nothing beyond this machine).
        fleet = [self.printer('check%d' % n, '--set', 'mac=00:1A:2B:3C:4D:3%d' % n)
                 for n in (1, 2)]
        folder = os.path.join(self.tmp, 'check-backups')
        host = dict(host_printers=[dict(port=p.port, overrides=dict(ip_address='127.20.0.3%d' % n))
                                   for n, p in enumerate(fleet, 1)],
                    backup_dir=folder, verify_timeout=JOIN_LIMIT)
        run, sent = sent_during(fleet, lambda: self.play('fleet.yml', {'printer-f': host},
                                                         '--check', '--diff', '-v'))
        self.assertPlay(run, 0, {'printer-f': dict(ok=1, changed=1, failed=0)})
        for n, p in enumerate(fleet, 1):
            self.assertIn('--- before: %s\n+++ after: %s\n' % (p.port, p.port), run.stdout)
            self.assertIn('+    "ip_address": "127.20.0.3%d"' % n, run.stdout)
        not_checked = dict(state='not_checked', reason='in check mode, where nothing is written')
        self.assertEqual([(entry['port'], entry['changed'], entry['network'])
                          for entry in self.result(run, 'changed', 'printer-f')['printers']],
                         [(p.port, True, not_checked) for p in fleet])
        self.assertFalse(os.path.exists(folder))
        self.assertEqual(sent, sent_during(fleet, lambda: [p.read() for p in fleet])[1])

    def test_find_each_hosts_printer_then_apply_to_it(self):
        serial, usb = self.printer('serial'), self.printer('usb')
        serial_cli, serial_port = testbed_host(self.tmp, 'printer-s', serial, usb=False)
        usb_cli, _ = testbed_host(self.tmp, 'printer-u', usb, usb=True)
        hosts = {'printer-s': dict(zephra_cli=serial_cli, extra_ports=[serial_port],
                                   answers=[serial_port + ' current 5'], usb_printers=[],
                                   ip_address='10.20.0.18'),
                 'printer-u': dict(zephra_cli=usb_cli, extra_ports=[], answers=[],
                                   usb_printers=['Label Printer'], ip_address='10.20.0.19')}
        run = self.play('find.yml', hosts)
        self.assertPlay(run, 0, {host: dict(ok=3, changed=1, failed=0) for host in hosts})
        for printer, host in ((serial, 'printer-s'), (usb, 'printer-u')):
            settings = printer.read()['settings']
            self.assertEqual((settings['ssid'], settings['ip_address']),
                             (SSID, hosts[host]['ip_address']))

    def test_printers_that_fail_fail_alone_with_the_command_lines_message(self):
        a, silent, slow = (self.printer('ok'), self.printer('silent', '--silent', 'R'),
                           self.printer('slow', '--silent', 'R'))
        strict = self.wifi_module('strict')
        refused = os.path.join(self.tmp, 'refused.json')
        with open(refused, 'w', encoding='utf-8') as f:
            json.dump({'format': 'zephra-printer-settings', 'version': 1, 'family': 'current',
                       'settings': {'security': 'Bogus'}}, f)
        hosts = {'printer-a': dict(port=a.port, ip_address='10.20.0.14'),
                 'printer-b': dict(port=silent.port, ip_address='10.20.0.15'),
                 'printer-c': dict(port=slow.port, ip_address='10.20.0.16', wlan_timeout=1),
                 'printer-d': dict(port='/dev/null', ip_address='10.20.0.17', profile=refused),
                 # Refused before zephra-cli runs: the program named here does not exist.
                 'printer-e': dict(port=a.port, usb=True, ip_address='10.20.0.18',
                                   zephra_cli='/nonexistent'),
                 'printer-f': dict(ip_address='10.20.0.19', zephra_cli='/nonexistent'),
                 'printer-g': dict(port=' ', ip_address='10.20.0.20', zephra_cli='/nonexistent'),
                 'printer-h': dict(port=strict.port, ip_address='10.20.0.21', strict=True,
                                   profile=self.module_profile)}
        run, sent = sent_during([strict], lambda: self.play('apply.yml', hosts))
        self.assertPlay(run, 2, dict(
            {'printer-a': dict(ok=1, changed=1, failed=0)},
            **{host: dict(ok=0, changed=0, failed=1)
               for host in ('printer-b', 'printer-c', 'printer-d', 'printer-e', 'printer-f',
                            'printer-g', 'printer-h')}))
        fatal = {host: json.loads(result)['msg'] for host, result in
                 re.findall(r'^fatal: \[(\S+)\]: FAILED! => (.*)$', run.stdout, re.M)}
        timeout = 'failed: Connection failure : Error [Timeout]'
        self.assertEqual(fatal, {
            'printer-b': timeout,
            'printer-c': 'zephra-cli ran past its timeout of 1 s: ' + timeout,
            'printer-d': 'zephra-cli: %s with its overrides: The profile\'s "security" is not a'
                         ' value this page can hold.' % refused,
            'printer-e': 'port and usb exclude each other: give a port, or usb: true',
            'printer-f': 'one of port and usb: true is required',
            'printer-g': "port must name a device, not ' '",
            'printer-h': 'refused: --strict: the save would not apply every setting the profile'
                         ' holds'})
        # Refused before the save: read, and nothing written.
        self.assertEqual(sent, sent_during([strict], strict.read)[1])

    def test_backup_before_the_write_the_printer_seen_after_and_restore(self):
        joins = self.printer('joins', '--network', SSID + ':' + KEY, '--join-delay', '1')
        # Its network has another key than the profile's: it never joins.
        stays = self.printer('stays', '--network', SSID + ':another-passphrase')
        folder = os.path.join(self.tmp, 'backups')
        hosts = {'printer-j': dict(port=joins.port, ip_address=NETWORK_ADDRESS % 1,
                                   backup_dir=folder, verify_timeout=JOIN_LIMIT),
                 'printer-s': dict(port=stays.port, ip_address=NETWORK_ADDRESS % 2,
                                   backup_dir=folder, verify_timeout=NEVER_JOINS_LIMIT)}
        before = joins.read()['settings']
        run = self.play('verify.yml', hosts, '-v')
        # The recap counts no change of a task that failed; the task's result says it.
        self.assertPlay(run, 2, {'printer-j': dict(ok=1, changed=1, failed=0),
                                 'printer-s': dict(ok=0, changed=0, failed=1)})
        joined = self.result(run, 'changed', 'printer-j')
        self.assertRegex(joined['backup_path'], re.escape(folder) + r'/00-1A-2B-3C-4D-5E_.*\.json$')
        self.assertEqual(dict(joined['network'], seconds=None), dict(
            state='reachable', address=NETWORK_ADDRESS % 1, port=9100, seconds=None,
            found_by='static'))
        failed = self.result(run, 'fatal', 'printer-s')
        unreachable = 'unreachable at %s:9100: no answer within %d s' % (
            NETWORK_ADDRESS % 2, NEVER_JOINS_LIMIT)
        self.assertEqual((failed['msg'], failed['changed']), (unreachable, True))

        # Nothing left to write, and no backup made.
        run = self.play('verify.yml', hosts, '-v')
        self.assertEqual(self.recap(run)['printer-j'], dict(ok=1, changed=0, failed=0),
                         self.output(run))
        self.assertNotIn('backup_path', self.result(run, 'ok', 'printer-j'))
        self.assertEqual(len(os.listdir(folder)), 2)

        run = self.play('restore.yml', hosts)
        self.assertPlay(run, 0, {host: dict(ok=1, changed=1, failed=0) for host in hosts})
        self.assertEqual(joins.read()['settings'], before)

    def test_a_hosts_printers_at_once_each_with_its_entry_then_nothing_to_do(self):
        joins = [self.printer('fleet%d' % n, '--set', 'mac=00:1A:2B:3C:4D:1%d' % n,
                              '--network', SSID + ':' + KEY, '--join-delay', '0.5')
                 for n in (1, 2)]
        # Its network has another key than the profile's: it never joins, and so the whole
        # limit is waited for it, which must still be one that only catches a hang for the
        # others.
        stays = self.printer('fleet3', '--set', 'mac=00:1A:2B:3C:4D:13',
                             '--network', SSID + ':another-passphrase')
        printers = joins + [stays]
        folder = os.path.join(self.tmp, 'fleet-backups')
        program, runs = counted_cli(self.tmp, 'fleet-cli')
        host = dict(host_printers=[dict(port=p.port, overrides=dict(
            ip_address=NETWORK_ADDRESS % (11 + n))) for n, p in enumerate(printers)],
            backup_dir=folder, verify_timeout=JOIN_LIMIT, zephra_cli=program)
        run = self.play('fleet.yml', {'printer-f': host}, '-v')
        self.assertPlay(run, 2, {'printer-f': dict(ok=0, changed=0, failed=1)})
        # Each printer with its own address, all in one run.
        with open(runs, encoding='utf-8') as f:
            self.assertEqual(f.read(), 'run\n')
        failed = self.result(run, 'fatal', 'printer-f')
        self.assertEqual((failed['msg'], failed['changed']), (
            '%s: unreachable at %s:9100: no answer within %d s' % (
                stays.port, NETWORK_ADDRESS % 13, JOIN_LIMIT), True))
        self.assertEqual([(entry['port'], entry['mac'], entry['changed'],
                           entry['network']['state'], 'msg' in entry)
                          for entry in failed['printers']],
                         [(p.port, '00:1A:2B:3C:4D:1%d' % n, True, state, state != 'reachable')
                          for n, p, state in ((1, joins[0], 'reachable'),
                                              (2, joins[1], 'reachable'),
                                              (3, stays, 'unreachable'))])
        for entry, n in zip(failed['printers'], (11, 12, 13)):
            self.assertRegex(entry['backup_path'], re.escape(folder) + '/' +
                             entry['mac'].replace(':', '-') + r'_.*\.json$')
            self.assertEqual(entry['network']['address'], NETWORK_ADDRESS % n)
        for printer, n in zip(printers, (11, 12, 13)):
            settings = printer.read()['settings']
            self.assertEqual((settings['ssid'], settings['ip_address']),
                             (SSID, NETWORK_ADDRESS % n))

        # Nothing left to write, and no backup made; the one that cannot join still fails.
        run = self.play('fleet.yml', {'printer-f': host}, '-v')
        self.assertPlay(run, 2, {'printer-f': dict(ok=0, changed=0, failed=1)})
        self.assertEqual([(entry['changed'], 'backup_path' in entry, entry['network']['state'])
                          for entry in self.result(run, 'fatal', 'printer-f')['printers']],
                         [(False, False, 'reachable')] * 2 + [(False, False, 'unreachable')])
        self.assertEqual(len(os.listdir(folder)), 3)

    def test_info_gives_the_settings_without_the_key(self):
        d = self.printer('d', '--set', 'ssid=' + SSID, '--set', 'security=3',
                         '--set', 'wpakey=' + KEY)
        run = self.play('info.yml', {'printer-d': dict(port=d.port)}, '--check')
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertEqual(self.recap(run)['printer-d'], dict(ok=2, changed=0, failed=0),
                         self.output(run))

        # A host's printers of each family at once, each MAC address in the one form, whichever
        # way its family writes it.
        families = [self.printer('info-c', '--set', 'mac=00-1a-2b-3c-4d-21'),
                    Printer(self.addCleanup, self.tmp, 'info-l', '--mac', '00:1A:2B:3C:4D:22',
                            model='3'),
                    Printer(self.addCleanup, self.tmp, 'info-m', '--set', 'configured=1',
                            '--set', 'mac=001A2B3C4D23', model='4')]
        run = self.play('info.yml', {'printer-f': dict(host_printers=[
            dict(port=p.port) for p in families])}, '--check', '-v')
        self.assertEqual(self.recap(run)['printer-f'], dict(ok=1, changed=0, failed=0),
                         self.output(run))
        entries = self.result(run, 'ok', 'printer-f')['printers']
        self.assertEqual([(entry['port'], entry['family'], entry['mac'], 'key' in entry['settings'])
                          for entry in entries],
                         [(p.port, family, '00:1A:2B:3C:4D:2%d' % n, False)
                          for n, p, family in ((1, families[0], 'current'),
                                               (2, families[1], 'legacy'),
                                               (3, families[2], 'module'))])

    def test_module_documentation_renders(self):
        for module, option in (('wlan', 'overrides'), ('wlan', 'key'), ('wlan', 'restore'),
                               ('wlan', 'verify_timeout'), ('wlan_info', 'port'),
                               ('ports_info', 'identify')):
            run = subprocess.run([tool('ansible-doc'), 'zephra.printer.' + module], env=self.env,
                                 cwd=self.tmp, capture_output=True, text=True,
                                 timeout=RUN_LIMIT)
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertRegex(run.stdout, r'(?m)^[-=] %s$' % option)


def ready_made_venv(interpreter, venv):
    """One of ansible-test's environments, from the system's packages, marked as filled."""
    shutil.rmtree(venv)
    subprocess.run(interpreter + ['-m', 'venv', '--without-pip', '--system-site-packages', venv],
                   check=True)
    for name, text in (('meta.install.json', '[]'), ('meta.yaml.json', 'true'),
                       ('marker.txt', '')):
        with open(os.path.join(venv, name), 'w', encoding='utf-8') as f:
            f.write(text)


class SanityTest(unittest.TestCase):
    """ansible-test sanity on a copy of the collection, so its output stays out of the tree."""

    def test_sanity(self):
        ansible_test = tool('ansible-test')
        with open(ansible_test, encoding='utf-8') as f:
            interpreter = f.readline()[2:].split()
        print_version = 'import sys; print("%d.%d" % sys.version_info[:2])'
        version = subprocess.run(interpreter + ['-c', print_version], capture_output=True,
                                 text=True, check=True).stdout.strip()
        missing = [package for module, package in (
            ('voluptuous', 'python3-voluptuous'), ('pylint', 'pylint'),
            ('pycodestyle', 'python3-pycodestyle'), ('yamllint', 'yamllint'))
            if subprocess.run(interpreter + ['-c', 'import ' + module],
                              capture_output=True).returncode != 0]
        self.assertEqual(missing, [], 'ansible-test sanity needs these Debian packages')
        with tempfile.TemporaryDirectory(prefix='zephra-sanity-') as tmp:
            root = os.path.join(tmp, 'ansible_collections', 'zephra', 'printer')
            shutil.copytree(COLLECTION, root,
                            ignore=shutil.ignore_patterns('output', '__pycache__'))
            env = environment(tmp)

            def run(*options):
                return subprocess.run([ansible_test, 'sanity', '--python', version] +
                                      list(options), cwd=root, env=env, capture_output=True,
                                      text=True, timeout=RUN_LIMIT)

            # ansible-test fetches pip from the network to fill each test's environment; here
            # they are made from the system's packages instead, as ansible-test asks for them.
            for _ in range(20):
                prime = run('--prime-venvs')
                if prime.returncode == 0:
                    break
                self.assertIn('does not have pip available', prime.stderr)
                for venv, _, files in os.walk(os.path.join(env['HOME'], '.ansible')):
                    if 'pyvenv.cfg' in files and 'marker.txt' not in files:
                        ready_made_venv(interpreter, venv)
            self.assertEqual(prime.returncode, 0, prime.stderr)
            sanity = run('-v')
            print('\n' + sanity.stdout)
            self.assertEqual(sanity.returncode, 0, sanity.stdout + sanity.stderr)
            for test in ('validate-modules', 'ansible-doc', 'import', 'pylint', 'pep8',
                         'yamllint', 'compile', 'shebang', 'runtime-metadata'):
                self.assertRegex(sanity.stdout, r'Running sanity test "%s".*\n'
                                 r'(?!No tests applicable)' % test)
        with open(os.path.join(COLLECTION, 'LICENSE'), encoding='utf-8') as ours, \
                open(os.path.join(REPO, 'LICENSE'), encoding='utf-8') as repo:
            self.assertEqual(ours.read(), repo.read())


if __name__ == '__main__':
    unittest.main(verbosity=2)
